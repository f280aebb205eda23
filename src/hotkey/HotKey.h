#pragma once

#include "hotkey/KeyCombo.h"

#include <QObject>
#include <QUuid>

#include <functional>

// One system-wide key combination. It is registered from construction until it is paused or
// destroyed; destroying it unregisters it.
class HotKey : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void()>;

    explicit HotKey(KeyCombo keyCombo, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    HotKey(Key key, ModifierFlags modifiers, Handler keyDownHandler = {},
           Handler keyUpHandler = {});
    HotKey(quint32 carbonKeyCode, quint32 carbonModifiers, Handler keyDownHandler = {},
           Handler keyUpHandler = {});
    ~HotKey() override;

    QUuid identifier() const { return m_identifier; }
    KeyCombo keyCombo() const { return m_keyCombo; }

    bool isPaused() const { return m_isPaused; }
    // Pausing unregisters; resuming registers again under a new id.
    void setPaused(bool paused);

    Handler keyDownHandler;
    Handler keyUpHandler;

private:
    const QUuid m_identifier;
    const KeyCombo m_keyCombo;
    bool m_isPaused = false;
};
