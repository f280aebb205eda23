#pragma once

#include "platform/GlobalHotkeyBackend.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>

struct xcb_connection_t;
struct _XCBKeySymbols;

// System-wide hotkeys on X11: a passive key grab on the root window for every keycode that
// produces the key's keysym, once for each NumLock/CapsLock state, so the hotkey works whatever
// the lock keys are. Presses are read from Qt's event stream by a native event filter.
class X11HotkeyBackend : public GlobalHotkeyBackend, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Empty when the application has no X11 connection.
    static std::unique_ptr<X11HotkeyBackend> create();

    X11HotkeyBackend(xcb_connection_t *connection, quint32 rootWindow);
    ~X11HotkeyBackend() override;

    // A grab another client holds (BadAccess) leaves the state "taken".
    bool registerHotKey(quint32 id, KeyCombo combo) override;
    void unregisterHotKey(quint32 id) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // The X modifier mask of a Carbon mask: Command is Control, Control is Mod4 (Super),
    // Option is Mod1 (Alt), Shift is Shift.
    static quint16 x11ModifierMask(quint32 carbonModifiers);

private:
    struct Grab
    {
        quint32 id = 0;
        QList<quint8> keycodes;
        quint16 modifiers = 0;
        QList<quint16> locks; // the lock states grabbed, so that exactly these are released
        bool isDown = false;
        quint32 lastReleaseTime = 0;
    };

    // The keyboard and modifier maps are asked of the server once and kept until it announces
    // a new mapping: the corner keys are grabbed at every show of the panel.
    QList<quint8> keycodesFor(quint32 keysym);
    const QList<quint16> &lockVariants();
    HotKeyState grab(const QList<quint8> &keycodes, quint16 modifiers, const QList<quint16> &locks);
    void ungrab(const QList<quint8> &keycodes, quint16 modifiers, const QList<quint16> &locks);
    Grab *grabFor(quint8 keycode, quint16 modifiers);
    Grab *grabFor(quint32 id);
    Grab *heldGrabFor(quint8 keycode);
    void handleKey(bool isPress, quint8 keycode, quint16 state, quint32 time);
    void deliverReleaseLater(quint32 id, quint32 time);

    xcb_connection_t *m_connection;
    quint32 m_root;
    QList<Grab> m_grabs;
    _XCBKeySymbols *m_keySymbols = nullptr;
    std::optional<QList<quint16>> m_lockVariants;
};
