#include "app/AppDelegate.h"

#include "app/AppIcon.h"
#include "app/AppKeyMonitor.h"
#include "app/AppMenuActions.h"
#include "app/KeyNameTranslator.h"
#include "app/StatusBarController.h"
#include "hotkey/HotKey.h"
#include "hotkey/HotKeyStateText.h"
#include "hotkey/HotKeysController.h"
#include "model/AppSettings.h"
#include "model/HistoryFile.h"
#include "model/RescueCopy.h"
#include "platform/DesktopSession.h"
#include "platform/GnomeCustomKeybinding.h"
#include "platform/Log.h"
#include "platform/PreferencesStore.h"
#include "platform/SaveStatus.h"
#include "platform/SettingsNotifier.h"
#include "platform/TrayHost.h"
#include "platform/WindowSystem.h"
#include "settings/SettingsWindowController.h"
#include "windows/FloatingPanel.h"
#include "windows/FloatingWindowController.h"
#include "windows/TitleBandNotice.h"

#include <QApplication>
#include <QTimer>

namespace {

Key keyForDigit(int digit)
{
    static const Key digits[] = {Key::zero, Key::one, Key::two,   Key::three, Key::four,
                                 Key::five, Key::six, Key::seven, Key::eight, Key::nine};
    return digits[digit];
}

} // namespace

AppDelegate::AppDelegate()
{
    QCoreApplication::installTranslator(new KeyNameTranslator(this));
    if (const auto snapshot = loadHistory()) {
        cardStore.cards = snapshot->cards;
        cardStore.activeCardID = snapshot->activeCardID;
    }
    memoStore.reload();
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching(std::unique_ptr<GlobalHotkeyBackend> hotKeyBackend,
                                                CommandLine::Request request)
{
    QApplication::setWindowIcon(appIconImage());
    m_windowSystem = createWindowSystem();
    m_windowController =
        std::make_unique<FloatingWindowController>(cardStore, memoStore, *m_windowSystem);
    m_windowController->onOpenSettings = [this](QWidget *) { openSettings(); };

    QPointer<FloatingWindowController> current(m_windowController.get());
    m_menuActions = std::make_unique<AppMenuActions>(current, [this] { quit(); });
    m_menuActions->installMainMenu([this] { openSettings(); });
    m_windowController->setMainMenu(m_menuActions->mainMenu(), m_menuActions->shortcutActions());

    m_statusBarController = std::make_unique<StatusBarController>(
        m_windowController.get(), [this] { openSettings(); }, [this] { quit(); });
    m_hotKeys = std::make_unique<HotKeysController>(hotKeyBackend ? std::move(hotKeyBackend)
                                                                  : createGlobalHotkeyBackend());
    registerToggleHotKey();
    connect(m_windowController.get(), &FloatingWindowController::visibilityChanged, this,
            [this](bool visible) {
                if (visible)
                    tellHotKeyStateOnce();
            });
    installKeyMonitors();
    connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, this,
            [this] { registerToggleHotKey(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { applicationWillTerminate(); });

    switch (request) {
    case CommandLine::Request::background:
        startInBackground();
        break;
    case CommandLine::Request::settings:
        openSettings();
        break;
    default:
        showFirstPanelSoon();
        break;
    }
    // The panel is built now, so the first show (timed or asked for) is as quick as the rest.
    m_windowController->preparePanel();
}

void AppDelegate::showFirstPanelSoon()
{
    QPointer<AppDelegate> self(this);
    QTimer::singleShot(200, this, [self] {
        if (self && self->m_windowController)
            self->m_windowController->showPanel(false);
    });
}

// Only the tray icon; where no tray shows it, the bar stands in, so there is always something
// to click.
void AppDelegate::startInBackground()
{
    if (!trayHostPresent())
        m_windowController->showPeekBarAlone();
}

void AppDelegate::openSettings()
{
    QWidget *anchor = m_windowController ? m_windowController->panel() : nullptr;
    SettingsWindowController::shared().show(anchor);
}

void AppDelegate::registerToggleHotKey()
{
    const ToggleHotkeyPreset preset = AppSettings::toggleHotkeyPreset();
    if (m_toggleHotKey && preset == m_toggleHotKeyPreset) {
        const HotKeyState state = m_toggleHotKey->status().state;
        if (state == HotKeyState::active || state == HotKeyState::pending)
            return;
    }
    // Dropping the old hotkey releases its grab before the new one takes it.
    m_toggleHotKey.reset();
    m_toggleHotKeyPreset = preset;
    m_toggleHotKey = std::make_unique<HotKey>(*m_hotKeys, keyCombo(preset));
    connect(m_toggleHotKey.get(), &HotKey::statusChanged, this,
            &AppDelegate::toggleHotKeyStatusChanged);
    toggleHotKeyStatusChanged();
    QPointer<AppDelegate> self(this);
    m_toggleHotKey->keyDownHandler = [self, preset] {
        QMetaObject::invokeMethod(
            qApp,
            [self, preset] {
                if (self)
                    self->toggle(preset);
            },
            Qt::QueuedConnection);
    };
}

// One log line for each state the hotkey reaches; the tray names the hotkey only while it works.
void AppDelegate::toggleHotKeyStatusChanged()
{
    const HotKeyStatus status = m_toggleHotKey->status();
    const QString shortcut =
        status.trigger.isEmpty() ? shortcutText(m_toggleHotKeyPreset) : status.trigger;
    // A retry at a settings save that ends where it was is no change.
    const QString line = QStringLiteral("Zorv: toggle hotkey %1: %2")
                             .arg(shortcutText(m_toggleHotKeyPreset), hotKeyStateLogText(status));
    if (line != m_hotKeyLogLine)
        logLine(line);
    m_hotKeyLogLine = line;
    if (m_statusBarController)
        m_statusBarController->setHotKeyText(status.state == HotKeyState::active ? shortcut
                                                                                 : QString());
    SettingsWindowController::shared().setHotKeyStatus(status);
    tellHotKeyStateOnce();
}

// A hotkey that does not work is told once, in the panel, at the first show after a start (or
// as soon as the desktop has answered), never in a dialog that would stand in the user's way.
void AppDelegate::tellHotKeyStateOnce()
{
    FloatingPanel *panel = m_windowController ? m_windowController->panel() : nullptr;
    if (!panel)
        return;
    const HotKeyStatus status = m_toggleHotKey->status();
    // A desktop that answers after the wait (its user took their time in its dialog) takes back
    // what the notice said.
    if (status.state == HotKeyState::active)
        panel->notice()->showOnce({});
    if (!m_hotKeyNoticeDue || !m_windowController->isVisible() ||
        status.state == HotKeyState::pending)
        return;
    m_hotKeyNoticeDue = false;
    // Where the user put the hotkey into GNOME's own shortcuts it works through GNOME.
    const bool boundInGnome =
        currentDesktopIsGnome() && GnomeCustomKeybinding::installedBinding().has_value();
    if (status.state != HotKeyState::active && !boundInGnome)
        panel->notice()->showOnce(hotKeyNoticeText(status, shortcutText(m_toggleHotKeyPreset)));
}

void AppDelegate::toggle(ToggleHotkeyPreset preset)
{
    if (!m_windowController)
        return;
    if (preset == ToggleHotkeyPreset::controlReturn) {
        m_windowController->bringForwardOrShow();
        return;
    }
    m_windowController->toggleShown();
}

void AppDelegate::handleInstanceRequest(const QString &request)
{
    if (request == QLatin1String("toggle"))
        toggle(AppSettings::toggleHotkeyPreset());
    else if (request == QLatin1String("settings"))
        openSettings();
    else if (m_windowController)
        m_windowController->bringForwardOrShow();
}

void AppDelegate::installKeyMonitors()
{
    m_localKeyMonitor = std::make_unique<AppKeyMonitor>(
        QPointer<FloatingWindowController>(m_windowController.get()), [this] { quit(); });
    connect(m_windowController.get(), &FloatingWindowController::visibilityChanged, this,
            [this](bool visible) {
                updateCornerHotKeys(visible);
                if (visible)
                    retryFailedSaves();
            });
}

void AppDelegate::updateCornerHotKeys(bool panelVisible)
{
    // Super+1/0/2/9 move the shown panel from any window; they are only taken while it shows.
    // A desktop that binds through the portal is never asked at each show: there the corner
    // keys work inside the panel only.
    m_cornerHotKeys.clear();
    if (!panelVisible || !m_hotKeys->backend().takesPassingGrabs())
        return;
    QPointer<AppDelegate> self(this);
    for (PanelScreenCorner corner : allPanelScreenCorners()) {
        auto hotKey = std::make_unique<HotKey>(*m_hotKeys, keyForDigit(cornerDigit(corner)),
                                               ModifierFlag::control);
        hotKey->keyDownHandler = [self, corner] {
            QMetaObject::invokeMethod(
                qApp,
                [self, corner] {
                    if (self && self->m_windowController)
                        self->m_windowController->snapPanel(corner);
                },
                Qt::QueuedConnection);
        };
        m_cornerHotKeys.push_back(std::move(hotKey));
    }
}

void AppDelegate::saveHistoryNow()
{
    cardStore.save();
}

// What could not be saved at a change is written again at every show.
void AppDelegate::retryFailedSaves()
{
    SaveStatus &status = SaveStatus::shared();
    if (status.isFailing(SaveStatus::Target::history))
        cardStore.save();
    if (status.isFailing(SaveStatus::Target::preferences))
        PreferencesStore::standard().sync();
}

void AppDelegate::quit()
{
    saveHistoryNow();
    // Not quit(): it asks every window to close first, and the panel declines (its close
    // button collapses it), which would cancel the quit.
    QCoreApplication::exit(0);
}

void AppDelegate::applicationWillTerminate()
{
    if (m_windowController)
        m_windowController->keepEditorTextInMemo();
    saveHistoryNow();
    memoStore.save();
    PreferencesStore::standard().sync();
    const SaveStatus &status = SaveStatus::shared();
    if (status.isFailing(SaveStatus::Target::history) ||
        status.isFailing(SaveStatus::Target::memos))
        keepRescueCopy();
}

// The data folder refused the last save: what Zorv holds goes where it can still be found.
void AppDelegate::keepRescueCopy()
{
    QString error;
    const QString folder =
        writeRescueCopy(cardStore.cards, cardStore.activeCardID, memoStore.memos, &error);
    if (folder.isEmpty())
        logLine(QStringLiteral("Zorv: could not save the history and memos, nor a rescue copy: ") +
                error);
    else
        logLine(QStringLiteral("Zorv: could not save the history and memos; kept a copy in ") +
                folder);
}
