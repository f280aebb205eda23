#pragma once

#include <QWidget>

class PeekBarContentView;

// The bar's own window: frameless, above other windows, never taking the keyboard focus, so
// a click on it leaves the previously active window as the one to return to.
class PeekBarPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PeekBarPanel(PeekBarContentView *content);

    PeekBarContentView *contentView() const { return m_content; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    PeekBarContentView *m_content;
};
