#pragma once

#include <QtGlobal>

#include <functional>
#include <utility>

// A system-wide key grab service. Combinations are given as Carbon key codes and modifier masks
// (the values the hotkey registry keeps); each backend turns them into its platform's grab.
// Presses and releases come back on the main thread through the installed event handler.
class GlobalHotkeyBackend
{
public:
    enum class EventKind : quint32 { pressed = 5, released = 6 };

    // Which registration fired: the (signature, id) pair it was registered under.
    struct Event
    {
        quint32 signature = 0;
        quint32 id = 0;
        EventKind kind = EventKind::pressed;
    };

    // Returns a status: 0 when the event was handled, anything else passes it on.
    using EventHandler = std::function<int(const Event *event)>;

    virtual ~GlobalHotkeyBackend() = default;

    // False when the combination cannot be had (taken by another client, no such key here).
    virtual bool registerHotKey(quint32 signature, quint32 id, quint32 carbonKeyCode,
                                quint32 carbonModifiers) = 0;
    virtual void unregisterHotKey(quint32 signature, quint32 id) = 0;

    void setEventHandler(EventHandler handler) { m_handler = std::move(handler); }
    bool hasEventHandler() const { return bool(m_handler); }

protected:
    // The handler may unregister hotkeys: call this after leaving any loop over registrations.
    int deliver(const Event &event) const { return m_handler ? m_handler(&event) : notHandled; }

    static constexpr int notHandled = -9874;

private:
    EventHandler m_handler;
};
