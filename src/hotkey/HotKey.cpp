#include "hotkey/HotKey.h"

#include "hotkey/HotKeysController.h"

#include <utility>

HotKey::HotKey(HotKeysController &registry, KeyCombo keyCombo, Handler keyDownHandler,
               Handler keyUpHandler)
    : keyDownHandler(std::move(keyDownHandler))
    , keyUpHandler(std::move(keyUpHandler))
    , m_identifier(QUuid::createUuid())
    , m_keyCombo(keyCombo)
    , m_registry(&registry)
{
    registry.registerHotKey(this);
}

HotKey::HotKey(HotKeysController &registry, Key key, ModifierFlags modifiers,
               Handler keyDownHandler, Handler keyUpHandler)
    : HotKey(registry, ::keyCombo(key, modifiers), std::move(keyDownHandler),
             std::move(keyUpHandler))
{
}

HotKey::~HotKey()
{
    if (m_registry)
        m_registry->unregisterHotKey(this);
}

HotKeyStatus HotKey::status() const
{
    return m_registry ? m_registry->status(this) : HotKeyStatus{};
}
