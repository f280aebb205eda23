#pragma once

#include "hotkey/HotKeyBox.h"
#include "platform/GlobalHotkeyBackend.h"

#include <QObject>
#include <QtGlobal>

#include <map>
#include <memory>

class HotKey;

// The table of registered hotkeys over one platform backend. Every registration gets a fresh
// id (ids are never reused), and presses come back from the backend to the hotkey's handlers.
// The application owns one and hands it to whoever makes hotkeys. Main thread only.
class HotKeysController : public QObject
{
    Q_OBJECT

public:
    explicit HotKeysController(std::unique_ptr<GlobalHotkeyBackend> backend,
                               QObject *parent = nullptr);
    ~HotKeysController() override;

    void registerHotKey(HotKey *hotKey);
    void unregisterHotKey(HotKey *hotKey);
    // The registration's status; `failed` for a hotkey that is not registered.
    HotKeyStatus status(const HotKey *hotKey) const;

    const std::map<quint32, HotKeyBox> &registeredBoxes() const { return m_registeredBoxes; }
    quint32 lastHotKeyID() const { return m_lastHotKeyID; }
    GlobalHotkeyBackend &backend() const { return *m_backend; }

private:
    std::map<quint32, HotKeyBox>::iterator boxFor(const QUuid &identifier);
    void handle(quint32 id, bool pressed);
    void statusChanged(quint32 id);

    std::unique_ptr<GlobalHotkeyBackend> m_backend;
    std::map<quint32, HotKeyBox> m_registeredBoxes;
    quint32 m_lastHotKeyID = 0;
};
