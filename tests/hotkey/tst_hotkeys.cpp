#include "hotkey/HotKey.h"
#include "hotkey/HotKeysController.h"
#include "hotkey/Key.h"

#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// Grants every combination once, as the system services do, and presses on request.
class FakeBackend : public GlobalHotkeyBackend
{
public:
    bool registerHotKey(quint32 id, KeyCombo combo) override
    {
        const bool taken = std::any_of(grabs.cbegin(), grabs.cend(),
                                       [&](const auto &grab) { return grab.second == combo; });
        setStatus(id, HotKeyStatus{taken ? HotKeyState::taken : HotKeyState::active, "fake", {}});
        if (!taken)
            grabs.append({id, combo});
        return !taken;
    }

    void unregisterHotKey(quint32 id) override
    {
        forgetStatus(id);
        unregistered.append(id);
        grabs.removeIf([id](const auto &grab) { return grab.first == id; });
    }

    void press(quint32 id) { Q_EMIT pressed(id); }
    void release(quint32 id) { Q_EMIT released(id); }

    QList<std::pair<quint32, KeyCombo>> grabs;
    QList<quint32> unregistered;
};

} // namespace

class TestHotKeys : public QObject
{
    Q_OBJECT

    FakeBackend *backend = nullptr;
    std::unique_ptr<HotKeysController> registry;

    // The id the registry gave hotKey, 0 while it holds none.
    quint32 idOf(const HotKey &hotKey)
    {
        for (const auto &[id, box] : registry->registeredBoxes()) {
            if (box.identifier == hotKey.identifier())
                return box.carbonHotKeyID;
        }
        return 0;
    }

private slots:
    void init()
    {
        auto fake = std::make_unique<FakeBackend>();
        backend = fake.get();
        registry = std::make_unique<HotKeysController>(std::move(fake));
    }

    // A repeated combination gets its own id and is refused; a dropped id never comes back.
    void idsAreOwnAndNeverReused()
    {
        int presses = 0;
        const ModifierFlags controlOption = ModifierFlag::control | ModifierFlag::option;
        auto first =
            std::make_unique<HotKey>(*registry, Key::space, controlOption, [&] { ++presses; });
        const quint32 firstId = idOf(*first);
        {
            HotKey refused(*registry, KeyCombo(49, 0x1800),
                           [] { QFAIL("a refused hotkey fired"); });
            QCOMPARE(refused.keyCombo(), first->keyCombo());
            QCOMPARE(idOf(refused), firstId + 1);
            QCOMPARE(first->status().state, HotKeyState::active);
            QCOMPARE(refused.status().state, HotKeyState::taken);
        }
        QCOMPARE(backend->grabs.size(), 1);
        backend->press(firstId);
        QCOMPARE(presses, 1);
        first.reset();
        QVERIFY(registry->registeredBoxes().empty());
        QCOMPARE(backend->unregistered.last(), firstId);
        HotKey next(*registry, Key::space, controlOption, [&] { ++presses; });
        QCOMPARE(backend->grabs,
                 (QList<std::pair<quint32, KeyCombo>>{{firstId + 2, next.keyCombo()}}));
        backend->press(firstId);
        QCOMPARE(presses, 1);
    }

    // Presses and releases reach their handlers; a handler may drop its own hotkey.
    void dispatch()
    {
        QString calls;
        HotKey both(
            *registry, Key::k, ModifierFlag::command, [&] { calls += "down"; },
            [&] { calls += "up"; });
        HotKey downOnly(*registry, Key::j, ModifierFlag::command, [&] { calls += "j"; });
        HotKey none(*registry, Key::h, ModifierFlag::command);
        auto dropsItself = std::make_unique<HotKey>(*registry, Key::g, ModifierFlag::command);
        dropsItself->keyDownHandler = [&] {
            calls += "g";
            dropsItself.reset();
        };
        const quint32 dropId = idOf(*dropsItself);
        for (quint32 id : {idOf(both), idOf(downOnly), idOf(none), dropId, dropId, 100u}) {
            backend->press(id);
            backend->release(id);
        }
        QCOMPARE(calls, "downupjg");
        QVERIFY(!dropsItself);
    }
};

QTEST_GUILESS_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"
