#pragma once

#include <QWidget>

class PanelCloseButton;
class QAction;
class QMenu;
class QToolButton;
class TitleBandNotice;

// The panel's window: frameless, rounded (16), a dark translucent backdrop, its own 27-point
// title band whose close button collapses instead of closing. It is moved by dragging its
// background and resized from its edges; both go through the window manager.
class FloatingPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int cornerRadius = 16;
    static constexpr int titleBandHeight = 27;

    FloatingPanel();

    // Puts `content` under the title band's buttons, filling the panel.
    void setContentWidget(QWidget *content);
    QWidget *contentWidget() const { return m_content; }

    // Adds the menu's button to the title band and its shortcuts to the window.
    void setMainMenu(QMenu *menu, const QList<QAction *> &shortcutActions);
    // The title band's line of text right of the menu button.
    TitleBandNotice *notice() const { return m_notice; }

signals:
    void moved();
    void resized();
    void closeRequested();
    void activeChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Qt::Edges edgesAt(const QPointF &position) const;
    void updateEdgeCursor(Qt::Edges edges, const QPointF &position);
    void layoutTitleBand();

    QWidget *m_content = nullptr;
    PanelCloseButton *m_closeButton = nullptr;
    QToolButton *m_menuButton = nullptr;
    TitleBandNotice *m_notice = nullptr;
    bool m_edgeCursor = false;
};
