#include "hotkey/HotKey.h"
#include "hotkey/HotKeysController.h"
#include "hotkey/Key.h"
#include "hotkey/ModifierFlags.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Grants every combination once, like the system services do, and presses on request.
class FakeBackend : public GlobalHotkeyBackend
{
public:
    struct Grab
    {
        quint32 id;
        KeyCombo combo;
    };

    bool registerHotKey(quint32 id, KeyCombo combo) override
    {
        ++registerCalls;
        bool taken = refused.contains(combo.carbonKeyCode);
        for (const Grab &grab : std::as_const(grabs))
            taken = taken || grab.combo == combo;
        setStatus(id, HotKeyStatus{taken ? HotKeyState::taken : HotKeyState::active, "fake", {}});
        if (!taken)
            grabs.append(Grab{id, combo});
        return !taken;
    }

    void unregisterHotKey(quint32 id) override
    {
        forgetStatus(id);
        unregistered.append(id);
        grabs.removeIf([id](const Grab &grab) { return grab.id == id; });
    }

    void press(quint32 id) { Q_EMIT pressed(id); }
    void release(quint32 id) { Q_EMIT released(id); }
    void answerLater(quint32 id, HotKeyState state) { setStatus(id, HotKeyStatus{state, {}, {}}); }

    QList<Grab> grabs;
    QList<quint32> unregistered;
    QSet<quint32> refused;
    int registerCalls = 0;
};

} // namespace

class TestHotKeys : public QObject
{
    Q_OBJECT

    FakeBackend *backend = nullptr;
    std::unique_ptr<HotKeysController> registry;

    const HotKeyBox *boxOf(const HotKey &hotKey)
    {
        for (const auto &[id, box] : registry->registeredBoxes()) {
            if (box.identifier == hotKey.identifier())
                return &box;
        }
        return nullptr;
    }

private slots:
    void init()
    {
        auto fake = std::make_unique<FakeBackend>();
        backend = fake.get();
        registry = std::make_unique<HotKeysController>(std::move(fake));
    }

    void keyCombo_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<ModifierFlags>("flags");
        QTest::addColumn<quint32>("keyCode");
        QTest::addColumn<quint32>("modifiers");
        QTest::newRow("controlOptionSpace")
            << Key::space << (ModifierFlag::control | ModifierFlag::option) << 49u << 0x1800u;
        QTest::newRow("all four") << Key::f1
                                  << (ModifierFlag::command | ModifierFlag::shift |
                                      ModifierFlag::option | ModifierFlag::control)
                                  << 122u << 0x1B00u;
        QTest::newRow("none") << Key::escape << ModifierFlags() << 53u << 0u;
    }

    void keyCombo()
    {
        QFETCH(Key, key);
        QFETCH(ModifierFlags, flags);
        QFETCH(quint32, keyCode);
        QFETCH(quint32, modifiers);
        QCOMPARE(::keyCombo(key, flags), KeyCombo(keyCode, modifiers));
    }

    void modifierFlags_data()
    {
        QTest::addColumn<quint32>("raw");
        QTest::addColumn<int>("qtModifiers");
        QTest::addColumn<ModifierFlags>("flags");
        QTest::newRow("shift") << (1u << 17) << int(Qt::ShiftModifier)
                               << ModifierFlags(ModifierFlag::shift);
        QTest::newRow("control is Super")
            << (1u << 18) << int(Qt::MetaModifier) << ModifierFlags(ModifierFlag::control);
        QTest::newRow("option is Alt")
            << (1u << 19) << int(Qt::AltModifier) << ModifierFlags(ModifierFlag::option);
        QTest::newRow("command is Ctrl")
            << (1u << 20) << int(Qt::ControlModifier) << ModifierFlags(ModifierFlag::command);
        // Caps Lock (1 << 16), numeric pad (1 << 21) and the keypad bit are not modifiers here.
        QTest::newRow("other bits ignored")
            << ((1u << 16) | (1u << 21) | (1u << 18) | 0x100u)
            << int(Qt::MetaModifier | Qt::KeypadModifier) << ModifierFlags(ModifierFlag::control);
    }

    void modifierFlags()
    {
        QFETCH(quint32, raw);
        QFETCH(int, qtModifiers);
        QFETCH(ModifierFlags, flags);
        QCOMPARE(modifierFlagsFromRaw(raw), flags);
        QCOMPARE(modifierFlagsFromQt(Qt::KeyboardModifiers::fromInt(qtModifiers)), flags);
    }

    void idsAreNeverReused()
    {
        auto first = std::make_unique<HotKey>(*registry, Key::a, ModifierFlag::control);
        QCOMPARE(boxOf(*first)->carbonHotKeyID, 1u);
        first.reset();
        HotKey second(*registry, Key::a, ModifierFlag::control);
        QCOMPARE(boxOf(second)->carbonHotKeyID, 2u);
        QCOMPARE(backend->grabs.last().id, 2u);
        QCOMPARE(backend->grabs.last().combo, KeyCombo(0, 0x1000));
    }

    // The registry compares identifiers, not combinations: the same combination registers again
    // under a new id, and the platform refuses it. The refused one says so, never fires, and
    // dropping it leaves the first one's grab alone.
    void duplicateComboGetsItsOwnIdAndIsRefused()
    {
        int firstPresses = 0;
        HotKey first(*registry, KeyCombo(49, 0x1800), [&] { ++firstPresses; });
        {
            HotKey second(*registry, KeyCombo(49, 0x1800), [] { QFAIL("a refused hotkey fired"); });
            QCOMPARE(boxOf(second)->carbonHotKeyID, boxOf(first)->carbonHotKeyID + 1);
            QCOMPARE(first.status().state, HotKeyState::active);
            QCOMPARE(second.status().state, HotKeyState::taken);
        }
        QCOMPARE(backend->grabs.size(), 1);
        backend->press(boxOf(first)->carbonHotKeyID);
        QCOMPARE(firstPresses, 1);
    }

    void pauseUnregistersAndResumeTakesNewId()
    {
        int presses = 0;
        HotKey hotKey(*registry, Key::space, ModifierFlag::control, [&] { ++presses; });
        const quint32 oldId = boxOf(hotKey)->carbonHotKeyID;

        hotKey.setPaused(true);
        QVERIFY(!boxOf(hotKey));
        QCOMPARE(backend->unregistered, QList<quint32>{oldId});
        QCOMPARE(hotKey.status().state, HotKeyState::failed);
        backend->press(oldId);
        hotKey.setPaused(true);
        QCOMPARE(backend->unregistered.count(oldId), 1);

        hotKey.setPaused(false);
        const quint32 newId = boxOf(hotKey)->carbonHotKeyID;
        QCOMPARE(newId, registry->lastHotKeyID());
        QVERIFY(newId > oldId);
        hotKey.setPaused(false); // already registered: nothing happens
        QCOMPARE(backend->registerCalls, 2);
        backend->press(newId);
        QCOMPARE(presses, 1);
    }

    void dropUnregisters()
    {
        int presses = 0;
        auto hotKey = std::make_unique<HotKey>(*registry, Key::returnKey, ModifierFlag::control,
                                               [&] { ++presses; });
        const quint32 id = boxOf(*hotKey)->carbonHotKeyID;
        hotKey.reset();
        QVERIFY(registry->registeredBoxes().empty());
        QCOMPARE(backend->unregistered.last(), id);
        backend->press(id);
        QCOMPARE(presses, 0);
    }

    void dispatch_data()
    {
        QTest::addColumn<bool>("withDownHandler");
        QTest::addColumn<bool>("withUpHandler");
        QTest::addColumn<bool>("release");
        QTest::addColumn<bool>("knownId");
        QTest::addColumn<QString>("called");
        QTest::newRow("press") << true << false << false << true << "down";
        QTest::newRow("release without handler") << true << false << true << true << "";
        QTest::newRow("release") << true << true << true << true << "up";
        QTest::newRow("press without handler") << false << true << false << true << "";
        QTest::newRow("unknown id") << true << true << false << false << "";
    }

    void dispatch()
    {
        QFETCH(bool, withDownHandler);
        QFETCH(bool, withUpHandler);
        QFETCH(bool, release);
        QFETCH(bool, knownId);

        QString calls;
        HotKey hotKey(*registry, Key::k, ModifierFlag::command);
        if (withDownHandler)
            hotKey.keyDownHandler = [&] { calls += QLatin1String("down"); };
        if (withUpHandler)
            hotKey.keyUpHandler = [&] { calls += QLatin1String("up"); };
        const quint32 id = knownId ? boxOf(hotKey)->carbonHotKeyID : 100;
        release ? backend->release(id) : backend->press(id);
        QTEST(calls, "called");
    }

    // Re-registering on a press drops the hotkey that is being handled.
    void handlerMayDropItsOwnHotKey()
    {
        auto hotKey = std::make_unique<HotKey>(*registry, Key::j, ModifierFlag::control);
        int presses = 0;
        hotKey->keyDownHandler = [&] {
            ++presses;
            hotKey.reset();
        };
        const quint32 id = boxOf(*hotKey)->carbonHotKeyID;
        backend->press(id);
        backend->press(id);
        QCOMPARE(presses, 1);
        QVERIFY(!hotKey);
    }

    // A backend that answers later (the portal) reaches the hotkey that asked, and no other.
    void laterAnswerReachesItsHotKey()
    {
        HotKey hotKey(*registry, Key::f5, {});
        HotKey other(*registry, Key::f6, {});
        QSignalSpy changes(&hotKey, &HotKey::statusChanged);
        QSignalSpy otherChanges(&other, &HotKey::statusChanged);
        backend->answerLater(boxOf(hotKey)->carbonHotKeyID, HotKeyState::notAvailable);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(otherChanges.size(), 0);
        QCOMPARE(hotKey.status().state, HotKeyState::notAvailable);
    }

    // The application drops its registry at exit while hotkeys may still be alive.
    void hotKeyOutlivesItsRegistry()
    {
        auto hotKey = std::make_unique<HotKey>(*registry, Key::f7, ModifierFlags());
        registry.reset();
        QCOMPARE(hotKey->status().state, HotKeyState::failed);
        hotKey.reset();
    }
};

QTEST_GUILESS_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"
