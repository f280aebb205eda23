#pragma once

#include "app/CommandLine.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "model/ToggleHotkeyPreset.h"
#include "platform/GlobalHotkeyBackend.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class AppKeyMonitor;
class AppMenuActions;
class FloatingWindowController;
class HotKey;
class HotKeysController;
class StatusBarController;
class WindowSystem;

// Owns the stores and the running application's parts: the window controller, the tray entry,
// the main menu, the toggle hotkey and the key monitors. The panel shows once by itself 0.2 s
// after launch (unless the start asked for the background or the settings); the history is
// saved when the application quits.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    // The hotkey backend is the session's own unless one is given (tests give a stand-in).
    // The start's request decides the first show: none for the background or the settings.
    void applicationDidFinishLaunching(std::unique_ptr<GlobalHotkeyBackend> hotKeyBackend = {},
                                       CommandLine::Request request = CommandLine::Request::start);
    // Registers the toggle hotkey of the chosen preset: again when the preset changed, or when
    // the last registration did not take (saving the settings tries once more).
    void registerToggleHotKey();
    void applicationWillTerminate();
    // Saves the history and ends the event loop (Ctrl+Q and every quit entry).
    void quit();
    // What a toggle hotkey press does for `preset`; also `zorv --toggle`.
    void toggle(ToggleHotkeyPreset preset);
    // A request handed over by a second start: "show", "toggle" or "settings".
    void handleInstanceRequest(const QString &request);

    CardStore cardStore;
    MemoStore memoStore;
    FloatingWindowController *windowController() const { return m_windowController.get(); }
    HotKeysController *hotKeys() const { return m_hotKeys.get(); }
    HotKey *toggleHotKey() const { return m_toggleHotKey.get(); }

private:
    void openSettings();
    void showFirstPanelSoon();
    void startInBackground();
    void installKeyMonitors();
    void updateCornerHotKeys(bool panelVisible);
    void saveHistoryNow();
    void toggleHotKeyStatusChanged();
    void retryFailedSaves();
    void keepRescueCopy();
    void tellHotKeyStateOnce();

    std::unique_ptr<WindowSystem> m_windowSystem;
    std::unique_ptr<FloatingWindowController> m_windowController;
    std::unique_ptr<AppMenuActions> m_menuActions;
    std::unique_ptr<StatusBarController> m_statusBarController;
    std::unique_ptr<HotKeysController> m_hotKeys;
    std::unique_ptr<HotKey> m_toggleHotKey;
    ToggleHotkeyPreset m_toggleHotKeyPreset = ToggleHotkeyPreset::controlReturn;
    // Until the panel has shown with the hotkey's state settled.
    bool m_hotKeyNoticeDue = true;
    QString m_hotKeyLogLine;
    std::unique_ptr<AppKeyMonitor> m_localKeyMonitor;
    // The system-wide side of the corner keys: grabbed while the panel is shown.
    std::vector<std::unique_ptr<HotKey>> m_cornerHotKeys;
};
