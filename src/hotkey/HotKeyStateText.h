#pragma once

#include "platform/HotKeyStatus.h"

#include <QString>

// What the settings window says about the toggle hotkey, with what to do
// when it does not work: "有効（X11）", "他のアプリが使用中：…", "この環境では使えません：…".
QString hotKeyStateText(const HotKeyStatus &status);
// The panel's one line about a hotkey that does not work, short enough for its title band:
// "表示ホットキー Super+Return はこの環境では使えません（詳しくは設定で）".
QString hotKeyNoticeText(const HotKeyStatus &status, const QString &shortcut);
// The same as one log line's tail, for developers: "active (X11)", "taken by another program".
QString hotKeyStateLogText(const HotKeyStatus &status);
