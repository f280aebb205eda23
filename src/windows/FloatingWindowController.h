#pragma once

#include "platform/WindowSystem.h"
#include "windows/PanelScreenCorner.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <memory>
#include <optional>

class CardStore;
class FloatingPanel;
class MainPanelViewController;
class MemoStore;
class PeekBarController;
class QAction;
class QMenu;

// The one floating panel's life on screen: built on first show and then kept, shown above
// other windows on every desktop, collapsed into the peek bar, snapped to corners, dimmed while
// inactive, its frame stored; and the window the user came from, to hand the focus back to.
class FloatingWindowController : public QObject
{
    Q_OBJECT

public:
    FloatingWindowController(CardStore &cardStore, MemoStore &memoStore, WindowSystem &windowSystem,
                             QObject *parent = nullptr);
    ~FloatingWindowController() override;

    void showPanel(bool rememberFrontmostApp);
    // Builds the panel without showing it, so a later first show only places and paints it.
    void preparePanel();
    void bringForwardOrShow();
    void collapseToPeekBar();
    // A start without the panel and without a tray: the bar alone, where the panel would be.
    void showPeekBarAlone();
    // Merges the editor's text into the active memo, as a collapse does; also at quit, so
    // text typed since the last confirm outlives the process.
    void keepEditorTextInMemo();
    void snapPanel(PanelScreenCorner corner);
    void handleAfterConfirm();
    // Collapses a shown panel, or shows it remembering the window the user is in.
    void toggleShown();
    void applyWindowAppearance();
    // The stored opacity, times the inactive percentage while dimmed.
    static double effectiveWindowOpacity(bool applicationIsActive);

    // Remembers the active window as the one to return to, unless it is one of ours.
    void rememberFrontmostApp();

    FloatingPanel *panel() const { return m_panel.get(); }
    bool isVisible() const { return m_isVisible; }
    PeekBarController *peekBar() const { return m_peekBar.get(); }
    MainPanelViewController *mainPanelViewController() const { return m_mainPanel; }
    std::optional<WindowSystem::WindowId> appToReturnTo() const { return m_appToReturnTo; }
    void setAppToReturnTo(std::optional<WindowSystem::WindowId> window)
    {
        m_appToReturnTo = window;
    }

    // The main menu, opened from the panel's title band; its shortcuts live on the panel.
    void setMainMenu(QMenu *menu, const QList<QAction *> &shortcutActions);

    // Called by the settings window's opener; set by whoever owns the settings window.
    std::function<void(QWidget *anchor)> onOpenSettings;

signals:
    // The panel was shown (true) or collapsed (false).
    void visibilityChanged(bool visible);

private:
    void makePanel();
    void showSaveStatus();
    void setVisible(bool visible);
    void placePanel();
    QRectF placedPanelFrame() const;
    void showPeekBar(const QRectF &panelFrame);
    void focusEditorLater();
    void activateOwnWindow();
    QRectF panelFrame() const;
    void setPanelFrame(const QRectF &frame);
    // Stores the frame after a move or resize that the panel's placement did not make.
    void saveMovedFrame();
    void applicationStateChanged(Qt::ApplicationState state);

    CardStore &m_cardStore;
    MemoStore &m_memoStore;
    WindowSystem &m_windowSystem;
    std::unique_ptr<FloatingPanel> m_panel;
    std::unique_ptr<PeekBarController> m_peekBar;
    MainPanelViewController *m_mainPanel = nullptr;
    bool m_isVisible = false;
    bool m_panelWasActiveSinceShow = false;
    std::optional<WindowSystem::WindowId> m_appToReturnTo;
    QRect m_placedGeometry; // where the controller last put the panel
    QPointer<QMenu> m_mainMenu;
    QList<QAction *> m_shortcutActions;
};
