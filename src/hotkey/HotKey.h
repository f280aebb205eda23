#pragma once

#include "hotkey/Key.h"
#include "hotkey/ModifierFlags.h"
#include "platform/HotKeyStatus.h"
#include "platform/KeyCombo.h"

#include <QObject>
#include <QPointer>
#include <QUuid>

#include <functional>

class HotKeysController;

// One system-wide key combination in a registry. It is registered from construction until it is
// destroyed; destroying it unregisters it.
class HotKey : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void()>;

    HotKey(HotKeysController &registry, KeyCombo keyCombo, Handler keyDownHandler = {},
           Handler keyUpHandler = {});
    HotKey(HotKeysController &registry, Key key, ModifierFlags modifiers,
           Handler keyDownHandler = {}, Handler keyUpHandler = {});
    ~HotKey() override;

    QUuid identifier() const { return m_identifier; }
    KeyCombo keyCombo() const { return m_keyCombo; }
    // Whether the platform grants it, and through which backend.
    HotKeyStatus status() const;

    Handler keyDownHandler;
    Handler keyUpHandler;

Q_SIGNALS:
    void statusChanged();

private:
    const QUuid m_identifier;
    const KeyCombo m_keyCombo;
    QPointer<HotKeysController> m_registry;
};
