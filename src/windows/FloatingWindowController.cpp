#include "windows/FloatingWindowController.h"

#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/SaveStatus.h"
#include "platform/ScreenCoordinates.h"
#include "platform/SettingsNotifier.h"
#include "windows/FloatingPanel.h"
#include "windows/MainPanelViewController.h"
#include "windows/PeekBarController.h"
#include "windows/PeekBarPanel.h"
#include "windows/TitleBandNotice.h"
#include "windows/WindowFrames.h"

#include <QGuiApplication>
#include <QMenu>

FloatingWindowController::FloatingWindowController(CardStore &cardStore, MemoStore &memoStore,
                                                   WindowSystem &windowSystem, QObject *parent)
    : QObject(parent)
    , m_cardStore(cardStore)
    , m_memoStore(memoStore)
    , m_windowSystem(windowSystem)
    , m_peekBar(std::make_unique<PeekBarController>(this, windowSystem))
{
    connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, this,
            [this] { applyWindowAppearance(); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { applicationStateChanged(state); });
}

FloatingWindowController::~FloatingWindowController() = default;

void FloatingWindowController::rememberFrontmostApp()
{
    const auto active = m_windowSystem.activeWindow();
    if (active && !m_windowSystem.isOwnWindow(*active))
        m_appToReturnTo = active;
}

void FloatingWindowController::setMainMenu(QMenu *menu, const QList<QAction *> &shortcutActions)
{
    m_mainMenu = menu;
    m_shortcutActions = shortcutActions;
    if (m_panel)
        m_panel->setMainMenu(menu, shortcutActions);
}

void FloatingWindowController::setVisible(bool visible)
{
    if (m_isVisible == visible)
        return;
    m_isVisible = visible;
    emit visibilityChanged(visible);
}

void FloatingWindowController::makePanel()
{
    m_panel = std::make_unique<FloatingPanel>();
    QPointer<FloatingWindowController> self(this);
    const auto onOpenSettings = [self] {
        if (self && self->onOpenSettings)
            self->onOpenSettings(self->panel());
    };
    const auto onCollapse = [self] {
        if (self)
            self->collapseToPeekBar();
    };
    // Built inside the panel, so every view takes the backdrop's dark palette from the start.
    m_mainPanel = new MainPanelViewController(m_cardStore, m_memoStore, onOpenSettings, onCollapse,
                                              m_panel.get());
    m_mainPanel->onSnapCorner = [self](PanelScreenCorner corner) {
        if (self)
            self->snapPanel(corner);
    };
    m_mainPanel->onPasteConfirmed = [self] {
        if (self)
            self->handleAfterConfirm();
    };
    m_panel->setContentWidget(m_mainPanel);
    if (m_mainMenu)
        m_panel->setMainMenu(m_mainMenu, m_shortcutActions);
    setPanelFrame(AppSettings::savedWindowFrame());
    m_panel->setWindowOpacity(AppSettings::windowOpacity());

    connect(m_panel.get(), &FloatingPanel::moved, this, [this] {
        if (m_isVisible)
            saveMovedFrame();
    });
    connect(m_panel.get(), &FloatingPanel::resized, this, [this] { saveMovedFrame(); });
    connect(m_panel.get(), &FloatingPanel::activeChanged, this, [this] {
        if (m_panel->isActiveWindow())
            m_panelWasActiveSinceShow = true;
        applyWindowAppearance();
    });
    connect(m_panel.get(), &FloatingPanel::closeRequested, this, [this] { collapseToPeekBar(); });
    showSaveStatus();
}

// Until a failing save succeeds, the title band says that what is written is not being kept.
void FloatingWindowController::showSaveStatus()
{
    TitleBandNotice *notice = m_panel->notice();
    const auto update = [notice] { notice->setLasting(SaveStatus::shared().message()); };
    update();
    connect(&SaveStatus::shared(), &SaveStatus::changed, notice, update);
    connect(this, &FloatingWindowController::visibilityChanged, notice, [notice](bool visible) {
        if (!visible)
            notice->panelDidHide();
    });
}

QRectF FloatingWindowController::panelFrame() const
{
    return ScreenCoordinates::fromQt(QRectF(m_panel->geometry()));
}

void FloatingWindowController::setPanelFrame(const QRectF &frame)
{
    m_placedGeometry = ScreenCoordinates::toQt(frame).toRect();
    m_panel->setGeometry(m_placedGeometry);
}

void FloatingWindowController::saveMovedFrame()
{
    // The panel's own placement (the first show's above all) is no move: a stored frame would
    // keep a fresh start from opening under the mouse.
    if (m_panel->geometry() != m_placedGeometry)
        AppSettings::saveWindowFrame(panelFrame());
}

QRectF FloatingWindowController::placedPanelFrame() const
{
    const QList<ScreenGeometry> screens = ScreenCoordinates::screens();
    std::optional<ScreenGeometry> preferred;
    if (const auto index = screenContaining(screens, ScreenCoordinates::mouseLocation()))
        preferred = screens[*index];
    return WindowFrames::fittedWindowFrame(AppSettings::savedWindowFrame(),
                                           AppSettings::windowOriginSaved(), screens, preferred);
}

void FloatingWindowController::placePanel()
{
    setPanelFrame(placedPanelFrame());
}

void FloatingWindowController::activateOwnWindow()
{
    m_panelWasActiveSinceShow = m_panel->isVisible() && m_panel->isActiveWindow();
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    // Window managers forget stickiness when a window is hidden.
    m_windowSystem.keepOnAllDesktops(m_panel->windowHandle(), /*hideFromTaskbar=*/false);
}

void FloatingWindowController::focusEditorLater()
{
    QPointer<FloatingWindowController> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self && self->m_mainPanel)
                self->m_mainPanel->focusEditor();
        },
        Qt::QueuedConnection);
}

void FloatingWindowController::preparePanel()
{
    if (!m_panel)
        makePanel();
    m_panel->ensurePolished();
    // Creating the native window is most of a first show's cost: do it while the show waits.
    m_panel->winId();
}

void FloatingWindowController::showPanel(bool rememberFrontmostApp)
{
    if (rememberFrontmostApp)
        this->rememberFrontmostApp();
    if (m_peekBar->panel())
        m_peekBar->panel()->hide();
    if (!m_panel)
        makePanel();
    m_memoStore.reload();
    placePanel();
    applyWindowAppearance();
    activateOwnWindow();
    setVisible(true);
    focusEditorLater();
}

void FloatingWindowController::bringForwardOrShow()
{
    rememberFrontmostApp();
    if (!m_isVisible || !m_panel) {
        showPanel(false);
        return;
    }
    if (m_peekBar->panel())
        m_peekBar->panel()->hide();
    activateOwnWindow();
    m_mainPanel->focusEditor();
}

void FloatingWindowController::keepEditorTextInMemo()
{
    if (m_mainPanel)
        m_memoStore.applyInput(m_mainPanel->editorText());
}

void FloatingWindowController::collapseToPeekBar()
{
    if (!m_panel || !m_isVisible)
        return;
    keepEditorTextInMemo();
    const QRectF frame = panelFrame();
    AppSettings::saveWindowFrame(frame);
    setVisible(false);
    m_panel->hide();
    showPeekBar(frame);
}

void FloatingWindowController::showPeekBarAlone()
{
    if (!m_isVisible)
        showPeekBar(placedPanelFrame());
}

void FloatingWindowController::showPeekBar(const QRectF &panelFrame)
{
    m_peekBar->showBar(panelFrame);
    if (m_peekBar->panel())
        m_peekBar->panel()->setWindowOpacity(AppSettings::windowOpacity());
}

void FloatingWindowController::toggleShown()
{
    if (m_isVisible)
        collapseToPeekBar();
    else
        showPanel(true);
}

void FloatingWindowController::handleAfterConfirm()
{
    const AfterConfirmBehavior behavior = AppSettings::afterConfirmBehavior();
    if (behavior != AfterConfirmBehavior::stayOpen && m_isVisible)
        collapseToPeekBar();
    const auto target = m_appToReturnTo;
    m_appToReturnTo.reset();
    if (behavior != AfterConfirmBehavior::returnAndCollapse || !target ||
        !m_windowSystem.windowExists(*target))
        return;
    QPointer<FloatingWindowController> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, window = *target] {
            if (self)
                self->m_windowSystem.activateWindow(window);
        },
        Qt::QueuedConnection);
}

void FloatingWindowController::snapPanel(PanelScreenCorner corner)
{
    if (!m_panel || !m_isVisible)
        return;
    const QList<ScreenGeometry> screens = ScreenCoordinates::screens();
    if (screens.isEmpty())
        return;
    const QRectF frame = panelFrame();
    auto index = screenContaining(screens, frame.center());
    if (!index)
        index = screenContaining(screens, ScreenCoordinates::mouseLocation());
    const ScreenGeometry &screen = screens[index.value_or(0)];
    const QRectF snapped = WindowFrames::cornerFrame(corner, frame.size(), screen.visibleFrame);
    setPanelFrame(snapped);
    AppSettings::saveWindowFrame(snapped);
}

void FloatingWindowController::applyWindowAppearance()
{
    const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    const double alpha = effectiveWindowOpacity(active);
    if (m_panel)
        m_panel->setWindowOpacity(alpha);
    if (m_peekBar->panel())
        m_peekBar->panel()->setWindowOpacity(alpha);
}

double FloatingWindowController::effectiveWindowOpacity(bool applicationIsActive)
{
    const double base = AppSettings::windowOpacity();
    if (!AppSettings::dimWhenInactive() || applicationIsActive)
        return base;
    return base * AppSettings::inactiveOpacityPercent() / 100.0;
}

void FloatingWindowController::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive) {
        m_memoStore.reload();
        applyWindowAppearance();
        return;
    }
    applyWindowAppearance();
    // Hiding the panel makes the application inactive too, and that news can arrive after the
    // next show: only a panel that was active since it was shown has been left for another window.
    if (AppSettings::autoCollapseWhenInactive() && m_isVisible && m_panelWasActiveSinceShow)
        collapseToPeekBar();
}
