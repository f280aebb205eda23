#include "hotkey/HotKeysController.h"

#include "hotkey/HotKey.h"

#include <functional>

HotKeysController::HotKeysController(std::unique_ptr<GlobalHotkeyBackend> backend, QObject *parent)
    : QObject(parent)
    , m_backend(std::move(backend))
{
    connect(m_backend.get(), &GlobalHotkeyBackend::pressed, this,
            [this](quint32 id) { handle(id, true); });
    connect(m_backend.get(), &GlobalHotkeyBackend::released, this,
            [this](quint32 id) { handle(id, false); });
    connect(m_backend.get(), &GlobalHotkeyBackend::statusChanged, this,
            &HotKeysController::statusChanged);
}

// Hotkeys that outlive the registry find it gone and unregister nowhere.
HotKeysController::~HotKeysController() = default;

std::map<quint32, HotKeyBox>::iterator HotKeysController::boxFor(const QUuid &identifier)
{
    for (auto it = m_registeredBoxes.begin(); it != m_registeredBoxes.end(); ++it) {
        if (it->second.identifier == identifier)
            return it;
    }
    return m_registeredBoxes.end();
}

void HotKeysController::registerHotKey(HotKey *hotKey)
{
    if (boxFor(hotKey->identifier()) != m_registeredBoxes.end())
        return;
    const quint32 id = ++m_lastHotKeyID;
    m_registeredBoxes[id] = HotKeyBox{hotKey->identifier(), hotKey, id};
    // A refused combination keeps its box: its status says why it never fires.
    m_backend->registerHotKey(id, hotKey->keyCombo());
}

void HotKeysController::unregisterHotKey(HotKey *hotKey)
{
    const auto it = boxFor(hotKey->identifier());
    if (it == m_registeredBoxes.end())
        return;
    const quint32 id = it->first;
    m_registeredBoxes.erase(it);
    m_backend->unregisterHotKey(id);
}

HotKeyStatus HotKeysController::status(const HotKey *hotKey) const
{
    for (const auto &[id, box] : m_registeredBoxes) {
        if (box.identifier == hotKey->identifier())
            return m_backend->status(id);
    }
    return {};
}

void HotKeysController::handle(quint32 id, bool pressed)
{
    const auto it = m_registeredBoxes.find(id);
    if (it == m_registeredBoxes.end())
        return;
    HotKey *hotKey = it->second.hotKey;
    if (!hotKey) {
        m_registeredBoxes.erase(it);
        return;
    }
    // A copy: the handler may drop the hotkey (and with it this box) while it runs.
    const std::function<void()> handler = pressed ? hotKey->keyDownHandler : hotKey->keyUpHandler;
    if (handler)
        handler();
}

void HotKeysController::statusChanged(quint32 id)
{
    const auto it = m_registeredBoxes.find(id);
    if (it != m_registeredBoxes.end() && it->second.hotKey)
        Q_EMIT it->second.hotKey->statusChanged();
}
