#include "views/CardSlotView.h"

#include "views/CardRowView.h"
#include "views/ViewLook.h"

#include <QHBoxLayout>
#include <QPainter>

CardSlotView::CardSlotView(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setFixedHeight(int(CardRowView::slotHeight));
}

void CardSlotView::hostRow(CardRowView *row, const QUuid &cardID)
{
    clearSlot();
    m_cardID = cardID;
    m_hostedRow = row;
    m_layout->addWidget(row);
    row->show();
    update();
}

void CardSlotView::clearSlot()
{
    if (m_hostedRow) {
        m_layout->removeWidget(m_hostedRow);
        m_hostedRow->hide();
        // Rows are never reused; the row may still be on the call stack of its own click.
        m_hostedRow->setParent(nullptr);
        m_hostedRow->deleteLater();
    }
    m_hostedRow = nullptr;
    m_cardID = QUuid();
    update();
}

void CardSlotView::paintEvent(QPaintEvent *)
{
    if (!isEmpty())
        return; // a hosting slot is clear and borderless: the row draws itself
    QPainter painter(this);
    ViewLook::paintRoundedBox(painter, rect(), 4, ViewLook::calibratedWhite(1.0, 0.25),
                              QColor::fromRgbF(0, 0, 0, 0.1f), 1);
}
