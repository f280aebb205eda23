#include "StoreTestFiles.h"
#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/DataFolder.h"
#include "model/HistoryFile.h"
#include "model/StoredValues.h"
#include "platform/Pasteboard.h"

#include <QDir>
#include <QTest>

namespace {

const QUuid idA = QUuid::fromString(QLatin1String("6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB"));
const QUuid idB = QUuid::fromString(QLatin1String("00000000-0000-4000-8000-00000000000B"));

QDateTime at(qint64 referenceMs)
{
    return QDateTime::fromMSecsSinceEpoch(978307200000 + referenceMs, Qt::UTC);
}

QString historyPath()
{
    return QDir(dataFolderURL()).filePath("history.json");
}

// Cards "0", "1", ... top first; pinPattern marks pinned positions with 'p' ("..p").
CardStore storeWith(int count, const QString &pinPattern = {})
{
    CardStore store;
    for (int i = 0; i < count; ++i) {
        store.cards.append(Card{QUuid::createUuid(), QString::number(i), at(i * 1000),
                                i < pinPattern.size() && pinPattern.at(i) == u'p'});
    }
    return store;
}

QString activeText(const CardStore &store)
{
    const auto card = store.activeCardID ? store.card(*store.activeCardID) : std::nullopt;
    return card ? card->text : QStringLiteral("(none)");
}

} // namespace

class TestCardStore : public QObject
{
    Q_OBJECT

    QTemporaryDir configHome;
    std::unique_ptr<QTemporaryDir> dataHome;

private slots:
    void initTestCase()
    {
        // "maxCards" is written for the tests: into a settings folder of their own.
        QVERIFY(configHome.isValid());
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    }

    void init()
    {
        dataHome = privateDataHome();
        AppSettings::setMaxCards(50);
    }

    void cleanup()
    {
        loadHistory(); // forgets a file that failed to load, before its folder goes
    }

    void writesHistoryByteForByte_data();
    void writesHistoryByteForByte()
    {
        QFETCH(HistorySnapshot, snapshot);
        saveHistory(snapshot.cards, snapshot.activeCardID);
        QTEST(readFile(historyPath()), "json");
        QCOMPARE(loadHistory(), snapshot);
        QCOMPARE(modeOf(historyPath()), 0600);
        QCOMPARE(modeOf(dataFolderURL()), 0700);
    }

    void readsHandWrittenFiles_data();
    void readsHandWrittenFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, cards);
        QFETCH(QString, active);
        writeFile(historyPath(), json);
        const std::optional<HistorySnapshot> snapshot = loadHistory();
        QCOMPARE(snapshot.has_value(), cards >= 0);
        if (!snapshot)
            return;
        QCOMPARE(snapshot->cards.size(), cards);
        QCOMPARE(snapshot->activeCardID ? uuidText(*snapshot->activeCardID) : QString(), active);
    }

    void unreadableHistoryIsKeptAside();
    void legacyFolderMovesOnce_data()
    {
        QTest::addColumn<bool>("newFolderExists");
        QTest::newRow("only the legacy folder: moved, made private") << false;
        QTest::newRow("both: legacy left alone") << true;
    }

    void legacyFolderMovesOnce()
    {
        QFETCH(bool, newFolderExists);
        const QDir base(dataHome->path());
        const QStringList folders =
            newFolderExists ? QStringList{"ZORVE", "Zorv"} : QStringList{"ZORVE"};
        for (const QString &folder : folders) {
            QVERIFY(base.mkpath(folder));
            QFile::setPermissions(base.filePath(folder), QFile::Permissions(0x7755));
        }
        writeFile(base.filePath("ZORVE/history.json"), "legacy");

        QCOMPARE(dataFolderURL(), base.filePath("Zorv"));
        QCOMPARE(QFile::exists(base.filePath("ZORVE")), newFolderExists);
        QCOMPARE(modeOf(base.filePath("Zorv")), newFolderExists ? 0755 : 0700);
        QCOMPARE(readFile(base.filePath("Zorv/history.json")),
                 newFolderExists ? QByteArray() : QByteArray("legacy"));
    }

    void addKeepsDuplicatesAndCallsBackBeforeSaving()
    {
        CardStore store;
        QByteArray fileDuringCallback;
        store.onChange = [&] { fileDuringCallback = readFile(historyPath()); };
        const Card first = store.add("same");
        const Card second = store.add("same");
        QCOMPARE(store.cards, (QList<Card>{second, first}));
        QCOMPARE(store.activeCardID, second.id);
        QVERIFY(!fileDuringCallback.contains(uuidText(second.id).toUtf8()));
        QCOMPARE(loadHistory()->cards, store.cards);
    }

    void trimsToLimitKeepingPins_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("pins");         // of three cards
        QTest::addColumn<QStringList>("expected"); // texts after add("new")
        QTest::addColumn<QString>("active");

        QTest::newRow("full: bottom card goes") << 3 << "" << QStringList{"new", "0", "1"} << "new";
        QTest::newRow("pinned bottom survives")
            << 3 << "..p" << QStringList{"new", "0", "2"} << "new";
        QTest::newRow("pins fill the limit: only pins stay, new card too goes")
            << 2 << "pp." << QStringList{"0", "1"} << "0";
        QTest::newRow("more pins than limit") << 2 << "ppp" << QStringList{"0", "1", "2"} << "0";
    }

    void trimsToLimitKeepingPins()
    {
        QFETCH(int, limit);
        QFETCH(QString, pins);
        QFETCH(QString, active);
        AppSettings::setMaxCards(limit);
        CardStore store = storeWith(3, pins);
        store.add("new");
        QStringList texts;
        for (const Card &card : std::as_const(store.cards))
            texts << card.text;
        QTEST(texts, "expected");
        QCOMPARE(activeText(store), active);
    }

    void removeMovesActiveAndCopiesIt_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("active");
        QTest::addColumn<QString>("newActive");
        QTest::addColumn<QString>("clipboard");

        QTest::newRow("active goes: top becomes active, copied") << 3 << 1 << 1 << "0"
                                                                 << "0";
        QTest::newRow("other card goes: nothing copied") << 3 << 2 << 1 << "1"
                                                         << "untouched";
        QTest::newRow("last card goes: none active") << 1 << 0 << 0 << "(none)"
                                                     << "untouched";
    }

    void removeMovesActiveAndCopiesIt()
    {
        QFETCH(int, count);
        QFETCH(int, removed);
        QFETCH(int, active);
        CardStore store = storeWith(count);
        store.activeCardID = store.cards.at(active).id;
        Pasteboard::setString("untouched");
        store.remove(store.cards.at(removed).id); // a reference into the list it changes
        QCOMPARE(store.cards.size(), count - 1);
        QTEST(activeText(store), "newActive");
        QTEST(Pasteboard::string(), "clipboard");
        QCOMPARE(loadHistory()->activeCardID, store.activeCardID);
    }

    void selectCopiesEvenEmptyText()
    {
        CardStore store;
        const Card empty = store.add("");
        store.add("other");
        Pasteboard::setString("before");
        store.select(empty.id);
        QCOMPARE(store.activeCardID, empty.id);
        QCOMPARE(store.cards.at(1).id, empty.id); // it stays where it is
        QCOMPARE(Pasteboard::string(), QString(""));
        store.togglePin(empty.id);
        QVERIFY(loadHistory()->cards.at(1).isPinned);
    }

    void unknownOrTopIdChangesNothing()
    {
        CardStore store = storeWith(2);
        const CardStore before = store;
        int changes = 0;
        store.onChange = [&] { ++changes; };
        const QUuid unknown = QUuid::createUuid();
        store.moveUp(store.cards.first().id);
        store.moveUp(unknown);
        store.select(unknown);
        store.togglePin(unknown);
        store.remove(unknown);
        QCOMPARE(changes, 0);
        QCOMPARE(store.cards, before.cards);
        QVERIFY(!QFile::exists(historyPath()));

        store.moveUp(store.cards.at(1).id);
        QCOMPARE(store.cards, (QList<Card>{before.cards.at(1), before.cards.at(0)}));
        QCOMPARE(store.activeCardID, before.activeCardID);
    }
};

void TestCardStore::writesHistoryByteForByte_data()
{
    QTest::addColumn<HistorySnapshot>("snapshot");
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("empty, no active card") << HistorySnapshot{} << QByteArray(R"({"cards":[]})");
    QTest::newRow("keys in declaration order, active last")
        << HistorySnapshot{{Card{idA, "hello", at(786123456789), true}}, idA}
        << QByteArray(R"({"cards":[{"id":"6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB","text":"hello",)"
                      R"("createdAt":786123456.789,"isPinned":true}],)"
                      R"("activeCardID":"6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB"})");
    QTest::newRow("escapes, integral seconds, before 2001")
        << HistorySnapshot{{Card{idB, "a/b \"q\" \\ \n\t\x01 日本語 😀", at(-1500), false},
                            Card{idA, "", at(786000000000), false}},
                           {}}
        << QByteArray(R"({"cards":[{"id":"00000000-0000-4000-8000-00000000000B",)"
                      R"("text":"a\/b \"q\" \\ \n\t\u0001 日本語 😀","createdAt":-1.5,)"
                      R"("isPinned":false},{"id":"6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB",)"
                      R"("text":"","createdAt":786000000,"isPinned":false}]})");
}

void TestCardStore::readsHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("cards"); // -1: unreadable
    QTest::addColumn<QString>("active");

    const QByteArray card = R"({"isPinned":false,"createdAt":5,"text":"t","extra":1,)"
                            R"("id":"6f1e4a2b-0c3d-4e5f-8a9b-0123456789ab"})";
    QTest::newRow("any key order, lower-case id, unknown keys")
        << R"({"x":[],"cards":[)" + card + "]}" << 1 << QString();
    QTest::newRow("active null") << R"({"activeCardID":null,"cards":[)" + card + "]}" << 1
                                 << QString();
    QTest::newRow("active names no card, kept")
        << QByteArray(R"({"cards":[],"activeCardID":"00000000-0000-4000-8000-00000000000b"})") << 0
        << QString("00000000-0000-4000-8000-00000000000B");
    // One bad card after a good one: nothing loads.
    const QList<std::pair<const char *, QByteArray>> bad = {
        {"card without isPinned", QByteArray(card).replace(R"("isPinned":false,)", "")},
        {"isPinned as number", QByteArray(card).replace("false", "0")},
        {"id with braces",
         QByteArray(card).replace("\"6f1e", "\"{6f1e").replace("ab\"}", "ab}\"}")},
        {"id not a uuid", QByteArray(card).replace("6f1e4a2b", "6f1e4a2g")},
        {"text as number", QByteArray(card).replace("\"t\"", "7")},
        {"createdAt as string", QByteArray(card).replace(":5,", ":\"5\",")},
    };
    for (const auto &[name, badCard] : bad)
        QTest::newRow(name) << R"({"cards":[)" + card + "," + badCard + "]}" << -1 << QString();
    QTest::newRow("active id of wrong type")
        << QByteArray(R"({"cards":[],"activeCardID":3})") << -1 << QString();
    QTest::newRow("no cards key") << QByteArray(R"({"activeCardID":null})") << -1 << QString();
    QTest::newRow("truncated") << QByteArray(R"({"cards":[)") << -1 << QString();
}

// Regression: a history.json that failed to load used to be replaced by the first change.
void TestCardStore::unreadableHistoryIsKeptAside()
{
    const QByteArray broken = R"({"cards":[{"id":"nope"}]})";
    writeFile(historyPath(), broken);
    QVERIFY(!loadHistory());

    CardStore store;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Zorv: history.json could not be read; kept it as "
                                            "history.unreadable-\\d{8}-\\d{6}-\\d{3}.json$"));
    store.add("first");
    store.add("second");
    const QStringList aside =
        QDir(dataFolderURL()).entryList({"history.unreadable-*.json"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(readFile(QDir(dataFolderURL()).filePath(aside.first())), broken);
    QCOMPARE(loadHistory()->cards.size(), 2);
}

QTEST_MAIN(TestCardStore)
#include "tst_cardstore.moc"
