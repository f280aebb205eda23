#include "windows/PeekBarPanel.h"

#include "platform/Compositor.h"
#include "windows/PeekBarContentView.h"

#include <QPainterPath>
#include <QRegion>

PeekBarPanel::PeekBarPanel(PeekBarContentView *content)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus)
    , m_content(content)
{
    setWindowTitle(QStringLiteral("ZORV"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    content->setParent(this);
    resize(content->size());
}

void PeekBarPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_content->setGeometry(rect());
    // Without a compositor a translucent window shows black corners: cut them off instead.
    if (Compositor::isActive()) {
        clearMask();
        return;
    }
    QPainterPath pill;
    pill.addRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
    setMask(QRegion(pill.toFillPolygon().toPolygon()));
}
