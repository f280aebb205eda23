#include "windows/PeekBarController.h"

#include "editor/PeekBarAccentColor.h"
#include "model/AppSettings.h"
#include "platform/ScreenCoordinates.h"
#include "platform/SettingsNotifier.h"
#include "platform/WindowSystem.h"
#include "windows/FloatingWindowController.h"
#include "windows/PeekBarContentView.h"
#include "windows/PeekBarPanel.h"
#include "windows/WindowFrames.h"

PeekBarController::PeekBarController(FloatingWindowController *windowController,
                                     WindowSystem &windowSystem)
    : m_windowController(windowController)
    , m_windowSystem(windowSystem)
{
    connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, this,
            [this] { applyAccentFromSettings(); });
}

PeekBarController::~PeekBarController() = default;

void PeekBarController::makeBarPanel()
{
    auto *content = new PeekBarContentView;
    content->setAccentColor(accentColor(AppSettings::peekBarAccent()));
    QPointer<PeekBarController> self(this);
    // Expanding hides the bar; do it after the click has been delivered, not from inside the
    // bar's own mouse handling, where Qt still uses the window being hidden.
    content->onClick = [self] {
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self)
                    self->expandTapped();
            },
            Qt::QueuedConnection);
    };
    m_barContentView = content;
    m_panel = std::make_unique<PeekBarPanel>(content);
}

void PeekBarController::showBar(const QRectF &panelFrame)
{
    if (!m_panel)
        makeBarPanel();
    m_barContentView->setAccentColor(accentColor(AppSettings::peekBarAccent()));

    const QList<ScreenGeometry> screens = ScreenCoordinates::screens();
    std::optional<QRectF> visible;
    if (const auto index = screenContaining(screens, ScreenCoordinates::mouseLocation()))
        visible = screens[*index].visibleFrame;
    else if (!screens.isEmpty())
        visible = screens.front().visibleFrame;

    m_barFrame = WindowFrames::peekBarFrame(panelFrame, PeekBarContentView::barSize(), visible);
    m_panel->setGeometry(ScreenCoordinates::toQt(m_barFrame).toRect());
    m_panel->show();
    m_panel->raise();
    m_windowSystem.keepOnAllDesktops(m_panel->windowHandle(), /*hideFromTaskbar=*/true);
}

void PeekBarController::expandTapped()
{
    if (m_windowController)
        m_windowController->rememberFrontmostApp();
    if (m_panel)
        m_panel->hide();
    if (m_windowController)
        m_windowController->showPanel(false);
}

void PeekBarController::applyAccentFromSettings()
{
    if (m_barContentView)
        m_barContentView->setAccentColor(accentColor(AppSettings::peekBarAccent()));
}
