#pragma once

#include "hotkey/HotKeyBox.h"
#include "platform/GlobalHotkeyBackend.h"

#include <QtGlobal>

#include <map>
#include <memory>

class HotKey;

// The process-wide table of registered hotkeys. Every registration gets a fresh id (ids are
// never reused), and presses come back from the platform backend to the hotkey's handlers.
// Main thread only.
class HotKeysController
{
public:
    // 'H' 't' 'K' 'y', each character shifted into the low byte in turn.
    static constexpr quint32 signature = 0x48744B79;
    static constexpr int noErr = 0;
    static constexpr int eventNotHandledErr = -9874;

    HotKeysController() = delete;

    static void registerHotKey(HotKey *hotKey);
    static void unregisterHotKey(HotKey *hotKey);
    static int handleHotKeyEvent(const GlobalHotkeyBackend::Event *event);

    static const std::map<quint32, HotKeyBox> &registeredBoxes();
    static quint32 lastHotKeyID();
    static bool isEventHandlerInstalled();

    // The backend is picked for the session on first use; tests put their own in first.
    static GlobalHotkeyBackend &backend();
    static void setBackend(std::unique_ptr<GlobalHotkeyBackend> backend);
};
