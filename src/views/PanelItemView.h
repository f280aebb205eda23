#pragma once

#include <QWidget>

// A card row or a memo chip: built before it joins the panel and never restyled except to
// follow the panel's colours, with left clicks numbered as one series across rebuilds and a
// right click asking for its menu.
class PanelItemView : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    // The press's number in its click series (1, 2, 3, ...).
    virtual void mouseDown(int clickCount) = 0;
    virtual void rightMouseDown() = 0;
    // Colours that come from the palette; run again when the item takes a new one.
    virtual void applyLook() = 0;

    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
