#pragma once

#include "platform/HotKeyStatus.h"

#include <QString>

// What the settings window and the panel's notice say about the toggle hotkey, with what to do
// when it does not work: "有効（X11）", "他のアプリが使用中：…", "この環境では使えません：…".
QString hotKeyStateText(const HotKeyStatus &status);
// The same as one log line's tail, for developers: "active (X11)", "taken by another program".
QString hotKeyStateLogText(const HotKeyStatus &status);
