#include "hotkey/HotKey.h"
#include "hotkey/HotKeysController.h"
#include "hotkey/Key.h"
#include "hotkey/KeyCombo.h"
#include "hotkey/ModifierFlags.h"

#include <QSet>
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

    bool registerHotKey(quint32 signature, quint32 id, quint32 keyCode, quint32 modifiers) override
    {
        ++registerCalls;
        const KeyCombo combo(keyCode, modifiers);
        if (signature != HotKeysController::signature || refused.contains(combo.carbonKeyCode))
            return false;
        for (const Grab &grab : std::as_const(grabs)) {
            if (grab.combo == combo)
                return false;
        }
        grabs.append(Grab{id, combo});
        return true;
    }

    void unregisterHotKey(quint32, quint32 id) override
    {
        unregistered.append(id);
        grabs.removeIf([id](const Grab &grab) { return grab.id == id; });
    }

    int press(quint32 id, EventKind kind = EventKind::pressed)
    {
        return deliver(Event{HotKeysController::signature, id, kind});
    }

    QList<Grab> grabs;
    QList<quint32> unregistered;
    QSet<quint32> refused;
    int registerCalls = 0;
};

FakeBackend *backend = nullptr;

const HotKeyBox *boxOf(const HotKey &hotKey)
{
    for (const auto &[id, box] : HotKeysController::registeredBoxes()) {
        if (box.identifier == hotKey.identifier())
            return &box;
    }
    return nullptr;
}

} // namespace

class TestHotKeys : public QObject
{
    Q_OBJECT

private slots:
    // The registry is process-wide: the fake goes in before anything registers, and the event
    // handler is installed only by the first registration the backend grants.
    void initTestCase()
    {
        auto fake = std::make_unique<FakeBackend>();
        backend = fake.get();
        HotKeysController::setBackend(std::move(fake));
        backend->refused.insert(carbonKeyCode(Key::f13));

        HotKey refused(Key::f13, {});
        QVERIFY(!HotKeysController::isEventHandlerInstalled());
        QVERIFY(!backend->hasEventHandler());
        HotKey granted(Key::f14, {});
        QVERIFY(HotKeysController::isEventHandlerInstalled());
        QVERIFY(backend->hasEventHandler());
    }

    // Every key has its own code and is found again by it.
    void keyTableIsComplete()
    {
        QCOMPARE(allKeys().size(), 114);
        QSet<quint32> codes;
        for (Key key : allKeys()) {
            codes.insert(carbonKeyCode(key));
            QCOMPARE(keyFromCarbonKeyCode(carbonKeyCode(key)), std::optional<Key>(key));
        }
        QCOMPARE(codes.size(), 114);
        QCOMPARE(keyFromCarbonKeyCode(52), std::nullopt); // no key has code 52
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
        QCOMPARE(KeyCombo(key, flags), KeyCombo(keyCode, modifiers));
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
        const quint32 before = HotKeysController::lastHotKeyID();
        auto first = std::make_unique<HotKey>(Key::a, ModifierFlag::control);
        QCOMPARE(boxOf(*first)->carbonHotKeyID, before + 1);
        first.reset();
        HotKey second(Key::a, ModifierFlag::control);
        QCOMPARE(boxOf(second)->carbonHotKeyID, before + 2);
        QCOMPARE(backend->grabs.last().id, before + 2);
        QCOMPARE(backend->grabs.last().combo, KeyCombo(0, 0x1000));
    }

    // The registry compares identifiers, not combinations: the same combination registers again
    // under a new id, and the platform refuses it. A refused hotkey stays registered without a
    // handle, and, granted nothing, gives nothing back when dropped.
    void duplicateComboGetsItsOwnIdAndFails()
    {
        int firstPresses = 0;
        HotKey first(KeyCombo(49, 0x1800), [&] { ++firstPresses; });
        const qsizetype unregisterCount = backend->unregistered.size();
        {
            HotKey second(KeyCombo(49, 0x1800), [] { QFAIL("a refused hotkey fired"); });
            QCOMPARE(boxOf(second)->carbonHotKeyID, boxOf(first)->carbonHotKeyID + 1);
            QCOMPARE(boxOf(second)->hotKey.data(), &second);
            QVERIFY(boxOf(first)->carbonEventHotKey.has_value());
            QVERIFY(!boxOf(second)->carbonEventHotKey.has_value());
        }
        QCOMPARE(backend->unregistered.size(), unregisterCount);
        // Dropping the refused one must not take the first one's grab with it.
        QCOMPARE(backend->press(boxOf(first)->carbonHotKeyID), HotKeysController::noErr);
        QCOMPARE(firstPresses, 1);
    }

    void pauseUnregistersAndResumeTakesNewId()
    {
        int presses = 0;
        HotKey hotKey(Key::space, ModifierFlag::control, [&] { ++presses; });
        const quint32 oldId = boxOf(hotKey)->carbonHotKeyID;

        hotKey.setPaused(true);
        QVERIFY(hotKey.isPaused());
        QVERIFY(!boxOf(hotKey));
        QCOMPARE(backend->unregistered.last(), oldId);
        QCOMPARE(backend->press(oldId), HotKeysController::eventNotHandledErr);
        hotKey.setPaused(true);
        QCOMPARE(backend->unregistered.count(oldId), 1);

        hotKey.setPaused(false);
        const quint32 newId = boxOf(hotKey)->carbonHotKeyID;
        QCOMPARE(newId, HotKeysController::lastHotKeyID());
        QVERIFY(newId > oldId);
        const int calls = backend->registerCalls;
        hotKey.setPaused(false); // already registered: nothing happens
        QCOMPARE(backend->registerCalls, calls);
        QCOMPARE(backend->press(newId), HotKeysController::noErr);
        QCOMPARE(presses, 1);
    }

    void dropUnregisters()
    {
        const auto boxesBefore = HotKeysController::registeredBoxes().size();
        auto hotKey = std::make_unique<HotKey>(Key::returnKey, ModifierFlag::control, [] {});
        const quint32 id = boxOf(*hotKey)->carbonHotKeyID;
        QCOMPARE(HotKeysController::registeredBoxes().size(), boxesBefore + 1);
        hotKey.reset();
        QCOMPARE(HotKeysController::registeredBoxes().size(), boxesBefore);
        QCOMPARE(backend->unregistered.last(), id);
        QCOMPARE(backend->press(id), HotKeysController::eventNotHandledErr);
    }

    void dispatch_data()
    {
        QTest::addColumn<bool>("withDownHandler");
        QTest::addColumn<bool>("withUpHandler");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("tamper");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("called");
        const int pressed = int(GlobalHotkeyBackend::EventKind::pressed);
        const int released = int(GlobalHotkeyBackend::EventKind::released);
        const int ok = HotKeysController::noErr;
        const int no = HotKeysController::eventNotHandledErr;
        QTest::newRow("press") << true << false << pressed << "" << ok << "down";
        QTest::newRow("release without handler") << true << false << released << "" << no << "";
        QTest::newRow("release") << true << true << released << "" << ok << "up";
        QTest::newRow("press without handler") << false << true << pressed << "" << no << "";
        QTest::newRow("other kind") << true << true << 7 << "" << no << "";
        QTest::newRow("foreign signature") << true << true << pressed << "signature" << no << "";
        QTest::newRow("unknown id") << true << true << pressed << "id" << no << "";
        QTest::newRow("no event") << true << true << pressed << "null" << no << "";
    }

    void dispatch()
    {
        QFETCH(bool, withDownHandler);
        QFETCH(bool, withUpHandler);
        QFETCH(int, kind);
        QFETCH(QString, tamper);

        QString calls;
        HotKey hotKey(Key::k, ModifierFlag::command);
        if (withDownHandler)
            hotKey.keyDownHandler = [&] { calls += QLatin1String("down"); };
        if (withUpHandler)
            hotKey.keyUpHandler = [&] { calls += QLatin1String("up"); };

        GlobalHotkeyBackend::Event event{HotKeysController::signature,
                                         boxOf(hotKey)->carbonHotKeyID,
                                         GlobalHotkeyBackend::EventKind(kind)};
        if (tamper == QLatin1String("signature"))
            event.signature = 0x41424344;
        if (tamper == QLatin1String("id"))
            event.id = HotKeysController::lastHotKeyID() + 100;
        const bool noEvent = tamper == QLatin1String("null");
        QTEST(HotKeysController::handleHotKeyEvent(noEvent ? nullptr : &event), "status");
        QTEST(calls, "called");
    }

    // Re-registering on a press drops the hotkey that is being handled.
    void handlerMayDropItsOwnHotKey()
    {
        auto hotKey = std::make_unique<HotKey>(Key::j, ModifierFlag::control);
        int presses = 0;
        hotKey->keyDownHandler = [&] {
            ++presses;
            hotKey.reset();
        };
        const quint32 id = boxOf(*hotKey)->carbonHotKeyID;
        QCOMPARE(backend->press(id), HotKeysController::noErr);
        QCOMPARE(presses, 1);
        QVERIFY(!hotKey);
        QCOMPARE(backend->press(id), HotKeysController::eventNotHandledErr);
    }
};

QTEST_GUILESS_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"
