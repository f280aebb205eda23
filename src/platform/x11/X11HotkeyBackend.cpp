#include "platform/x11/X11HotkeyBackend.h"

#include "platform/x11/X11Connection.h"

#include "platform/CarbonKeySymbols.h"

#include <QGuiApplication>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <X11/keysym.h>

#include <cstdlib>

namespace {

// The modifiers a grab is told apart by; lock keys and mouse buttons are left out.
constexpr quint16 relevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

} // namespace

std::unique_ptr<X11HotkeyBackend> X11HotkeyBackend::create()
{
    const auto x11 = X11Connection::ofQt();
    if (!x11)
        return nullptr;
    return std::make_unique<X11HotkeyBackend>(x11->connection, x11->rootWindow);
}

X11HotkeyBackend::X11HotkeyBackend(xcb_connection_t *connection, quint32 rootWindow)
    : m_connection(connection)
    , m_root(rootWindow)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotkeyBackend::~X11HotkeyBackend()
{
    // Without the application its connection is closed already, and the server has dropped
    // the grabs with it.
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const Grab &grab : std::as_const(m_grabs))
        ungrab(grab.keycodes, grab.modifiers, grab.locks);
    xcb_flush(m_connection);
    if (m_keySymbols)
        xcb_key_symbols_free(m_keySymbols);
}

quint16 X11HotkeyBackend::x11ModifierMask(quint32 carbonModifiers)
{
    quint16 mask = 0;
    if (carbonModifiers & carbonCmdKey)
        mask |= XCB_MOD_MASK_CONTROL;
    if (carbonModifiers & carbonControlKey)
        mask |= XCB_MOD_MASK_4;
    if (carbonModifiers & carbonOptionKey)
        mask |= XCB_MOD_MASK_1;
    if (carbonModifiers & carbonShiftKey)
        mask |= XCB_MOD_MASK_SHIFT;
    return mask;
}

bool X11HotkeyBackend::registerHotKey(quint32 id, KeyCombo combo)
{
    const std::optional<KeySymbol> symbol = keySymbolForCarbonKeyCode(combo.carbonKeyCode);
    const QList<quint8> keycodes = symbol ? keycodesFor(symbol->keysym) : QList<quint8>();
    const quint16 modifiers = x11ModifierMask(combo.carbonModifiers);
    HotKeyState state =
        keycodes.isEmpty() || grabFor(id) ? HotKeyState::failed : HotKeyState::active;
    // Like the system hotkey services elsewhere, one combination is registered once only.
    for (quint8 keycode : keycodes) {
        if (grabFor(keycode, modifiers))
            state = HotKeyState::failed;
    }
    const QList<quint16> locks = lockVariants();
    if (state == HotKeyState::active)
        state = grab(keycodes, modifiers, locks);
    if (state == HotKeyState::active)
        m_grabs.append(Grab{id, keycodes, modifiers, locks});
    setStatus(id, HotKeyStatus{state, QStringLiteral("X11"), {}});
    return state == HotKeyState::active;
}

void X11HotkeyBackend::unregisterHotKey(quint32 id)
{
    forgetStatus(id);
    for (qsizetype i = 0; i < m_grabs.size(); ++i) {
        if (m_grabs[i].id == id) {
            ungrab(m_grabs[i].keycodes, m_grabs[i].modifiers, m_grabs[i].locks);
            xcb_flush(m_connection);
            m_grabs.removeAt(i);
            return;
        }
    }
}

QList<quint8> X11HotkeyBackend::keycodesFor(quint32 keysym)
{
    QList<quint8> keycodes;
    if (!m_keySymbols)
        m_keySymbols = xcb_key_symbols_alloc(m_connection);
    if (!m_keySymbols)
        return keycodes;
    if (xcb_keycode_t *codes = xcb_key_symbols_get_keycode(m_keySymbols, keysym)) {
        for (xcb_keycode_t *code = codes; *code != XCB_NO_SYMBOL; ++code) {
            if (!keycodes.contains(*code))
                keycodes.append(*code);
        }
        std::free(codes);
    }
    return keycodes;
}

// The NumLock bit is whichever modifier the server's map puts the Num_Lock key on.
const QList<quint16> &X11HotkeyBackend::lockVariants()
{
    if (m_lockVariants)
        return *m_lockVariants;
    quint16 numLock = 0;
    const QList<quint8> numLockKeys = keycodesFor(XK_Num_Lock);
    auto *reply = xcb_get_modifier_mapping_reply(m_connection,
                                                 xcb_get_modifier_mapping(m_connection), nullptr);
    if (reply) {
        const xcb_keycode_t *map = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8 && !numLock; ++modifier) {
            for (int k = 0; k < perModifier; ++k) {
                const xcb_keycode_t code = map[modifier * perModifier + k];
                if (code != 0 && numLockKeys.contains(code))
                    numLock = quint16(1u << modifier);
            }
        }
        std::free(reply);
    }
    QList<quint16> variants{0, XCB_MOD_MASK_LOCK};
    if (numLock)
        variants << numLock << quint16(numLock | XCB_MOD_MASK_LOCK);
    m_lockVariants = variants;
    return *m_lockVariants;
}

// All or nothing: a grab another client already holds (BadAccess) undoes the ones made here.
HotKeyState X11HotkeyBackend::grab(const QList<quint8> &keycodes, quint16 modifiers,
                                   const QList<quint16> &locks)
{
    QList<xcb_void_cookie_t> cookies;
    for (quint8 keycode : keycodes) {
        for (quint16 lock : locks) {
            cookies.append(xcb_grab_key_checked(m_connection, 0, m_root, modifiers | lock, keycode,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    HotKeyState state = HotKeyState::active;
    for (const xcb_void_cookie_t &cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            if (state != HotKeyState::taken)
                state = error->error_code == XCB_ACCESS ? HotKeyState::taken : HotKeyState::failed;
            std::free(error);
        }
    }
    if (state != HotKeyState::active) {
        ungrab(keycodes, modifiers, locks);
        xcb_flush(m_connection);
    }
    return state;
}

// Ungrabbing only ever releases this client's own grabs, so a refused variant is harmless.
void X11HotkeyBackend::ungrab(const QList<quint8> &keycodes, quint16 modifiers,
                              const QList<quint16> &locks)
{
    for (quint8 keycode : keycodes) {
        for (quint16 lock : locks)
            xcb_ungrab_key(m_connection, keycode, m_root, modifiers | lock);
    }
}

X11HotkeyBackend::Grab *X11HotkeyBackend::grabFor(quint8 keycode, quint16 modifiers)
{
    for (Grab &grab : m_grabs) {
        if (grab.modifiers == modifiers && grab.keycodes.contains(keycode))
            return &grab;
    }
    return nullptr;
}

X11HotkeyBackend::Grab *X11HotkeyBackend::heldGrabFor(quint8 keycode)
{
    for (Grab &grab : m_grabs) {
        if (grab.isDown && grab.keycodes.contains(keycode))
            return &grab;
    }
    return nullptr;
}

X11HotkeyBackend::Grab *X11HotkeyBackend::grabFor(quint32 id)
{
    for (Grab &grab : m_grabs) {
        if (grab.id == id)
            return &grab;
    }
    return nullptr;
}

bool X11HotkeyBackend::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        if (m_keySymbols)
            xcb_refresh_keyboard_mapping(m_keySymbols,
                                         static_cast<xcb_mapping_notify_event_t *>(message));
        m_lockVariants.reset();
    }
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        const auto *key = static_cast<const xcb_key_press_event_t *>(message);
        if (key->event == m_root)
            handleKey(type == XCB_KEY_PRESS, key->detail, key->state, key->time);
    }
    // Never swallowed: Qt still takes the event's timestamp, which it then uses as the user
    // time when our panel activates itself.
    return false;
}

// Holding a combination makes the server repeat it as release+press pairs with one timestamp;
// only the first press counts, and a release is reported once no repeat press followed it.
// The release is matched by key alone: the modifiers may have been let go first.
void X11HotkeyBackend::handleKey(bool isPress, quint8 keycode, quint16 state, quint32 time)
{
    Grab *grab = isPress ? grabFor(keycode, state & relevantModifiers) : heldGrabFor(keycode);
    if (!grab)
        return;
    if (isPress) {
        const bool repeat = grab->isDown || (grab->lastReleaseTime == time && time != 0);
        grab->isDown = true;
        if (!repeat)
            Q_EMIT pressed(grab->id);
        return;
    }
    grab->isDown = false;
    grab->lastReleaseTime = time;
    deliverReleaseLater(grab->id, time);
}

void X11HotkeyBackend::deliverReleaseLater(quint32 id, quint32 time)
{
    QTimer::singleShot(0, this, [this, id, time] {
        const Grab *grab = grabFor(id);
        if (grab && !grab->isDown && grab->lastReleaseTime == time)
            Q_EMIT released(id);
    });
}
