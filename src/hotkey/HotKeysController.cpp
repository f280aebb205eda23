#include "hotkey/HotKeysController.h"

#include "hotkey/HotKey.h"
#include "platform/DesktopSession.h"
#include "platform/NullHotkeyBackend.h"

#include <QCoreApplication>

#include <functional>

namespace {

struct Registry
{
    std::map<quint32, HotKeyBox> registeredBoxes;
    quint32 lastHotKeyID = 0;
    bool eventHandlerInstalled = false;
    std::unique_ptr<GlobalHotkeyBackend> backend;
};

// Never destroyed: hotkeys held by other static objects may still unregister at exit.
Registry &registry()
{
    static Registry *instance = new Registry;
    return *instance;
}

std::map<quint32, HotKeyBox>::iterator boxFor(const QUuid &identifier)
{
    auto &boxes = registry().registeredBoxes;
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
        if (it->second.identifier == identifier)
            return it;
    }
    return boxes.end();
}

// The backend talks through the application's display connection, which closes with the
// application: release the grabs while it is still open. Hotkeys dropped later find a backend
// that does nothing.
void releaseBackend()
{
    registry().backend = std::make_unique<NullHotkeyBackend>();
}

void installEventHandler()
{
    if (registry().eventHandlerInstalled)
        return;
    HotKeysController::backend().setEventHandler(&HotKeysController::handleHotKeyEvent);
    registry().eventHandlerInstalled = true;
}

} // namespace

void HotKeysController::registerHotKey(HotKey *hotKey)
{
    Registry &state = registry();
    if (boxFor(hotKey->identifier()) != state.registeredBoxes.end())
        return;
    const quint32 id = ++state.lastHotKeyID;
    HotKeyBox &box = state.registeredBoxes[id];
    box.identifier = hotKey->identifier();
    box.hotKey = hotKey;
    box.carbonHotKeyID = id;

    const KeyCombo combo = hotKey->keyCombo();
    // A refused combination keeps its box without a handle: it simply never fires.
    if (backend().registerHotKey(signature, id, combo.carbonKeyCode, combo.carbonModifiers)) {
        box.carbonEventHotKey = id;
        installEventHandler();
    }
}

void HotKeysController::unregisterHotKey(HotKey *hotKey)
{
    auto &boxes = registry().registeredBoxes;
    const auto it = boxFor(hotKey->identifier());
    if (it == boxes.end())
        return;
    if (it->second.carbonEventHotKey)
        backend().unregisterHotKey(signature, *it->second.carbonEventHotKey);
    boxes.erase(it);
}

int HotKeysController::handleHotKeyEvent(const GlobalHotkeyBackend::Event *event)
{
    if (!event || event->signature != signature)
        return eventNotHandledErr;
    auto &boxes = registry().registeredBoxes;
    const auto it = boxes.find(event->id);
    if (it == boxes.end())
        return eventNotHandledErr;
    HotKey *hotKey = it->second.hotKey;
    if (!hotKey) {
        boxes.erase(it);
        return eventNotHandledErr;
    }
    if (hotKey->isPaused())
        return eventNotHandledErr;

    // A copy: the handler may drop the hotkey (and with it this box) while it runs.
    std::function<void()> handler;
    if (event->kind == GlobalHotkeyBackend::EventKind::pressed)
        handler = hotKey->keyDownHandler;
    else if (event->kind == GlobalHotkeyBackend::EventKind::released)
        handler = hotKey->keyUpHandler;
    if (!handler)
        return eventNotHandledErr;
    handler();
    return noErr;
}

const std::map<quint32, HotKeyBox> &HotKeysController::registeredBoxes()
{
    return registry().registeredBoxes;
}

quint32 HotKeysController::lastHotKeyID()
{
    return registry().lastHotKeyID;
}

bool HotKeysController::isEventHandlerInstalled()
{
    return registry().eventHandlerInstalled;
}

GlobalHotkeyBackend &HotKeysController::backend()
{
    Registry &state = registry();
    if (!state.backend) {
        state.backend = createGlobalHotkeyBackend();
        if (QCoreApplication::instance())
            qAddPostRoutine(releaseBackend);
    }
    return *state.backend;
}

void HotKeysController::setBackend(std::unique_ptr<GlobalHotkeyBackend> backend)
{
    registry().backend = std::move(backend);
    registry().eventHandlerInstalled = false;
}
