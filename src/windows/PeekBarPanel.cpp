#include "windows/PeekBarPanel.h"

#include "windows/PeekBarContentView.h"
#include "windows/RoundedWindowMask.h"

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
    applyRoundedWindowMask(*this, height() / 2.0);
}
