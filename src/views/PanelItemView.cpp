#include "views/PanelItemView.h"

#include "views/ClickCounter.h"

#include <QMouseEvent>

void PanelItemView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The item is built before it joins the panel; take the panel's colours when it does.
    if (event->type() == QEvent::PaletteChange)
        applyLook();
}

void PanelItemView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        rightMouseDown();
    else if (event->button() == Qt::LeftButton)
        mouseDown(ClickCounter::shared().registerClick(*event));
    event->accept();
}

// Qt reports the second click of a series as a double click; it is counted like any other.
void PanelItemView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        mouseDown(ClickCounter::shared().registerClick(*event));
    event->accept();
}
