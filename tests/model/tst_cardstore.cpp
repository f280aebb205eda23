#include "../TestFiles.h"
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

// The cards' texts top first, "*" after a pinned one and "<" after the active one.
QString describe(const CardStore &store)
{
    QStringList texts;
    for (const Card &card : store.cards)
        texts << card.text + (card.isPinned ? "*" : "") +
                     (card.id == store.activeCardID ? "<" : "");
    return texts.join(' ');
}

} // namespace

class TestCardStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dataHome;

private slots:
    // "maxCards" is written for the tests: into CTest's private settings folder.
    void initTestCase() { QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").contains("/home/tst_")); }

    void init()
    {
        dataHome = privateDataHome();
        AppSettings::maxCards.set(50);
        Pasteboard::setString("untouched");
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
    }

    void readsHandWrittenFiles_data();

    void readsHandWrittenFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, cards);
        writeFile(historyPath(), json);
        const std::optional<HistorySnapshot> snapshot = loadHistory();
        QCOMPARE(snapshot ? int(snapshot->cards.size()) : -1, cards);
        if (snapshot)
            QTEST(snapshot->activeCardID ? uuidText(*snapshot->activeCardID) : QString(), "active");
    }

    // Regression: a history.json that failed to load used to be replaced by the first change.
    void unreadableHistoryIsKeptAside()
    {
        const QByteArray broken = R"({"cards":[{"id":"nope"}]})";
        writeFile(historyPath(), broken);
        QVERIFY(!loadHistory()); // as at start-up
        CardStore store;
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^Zorv: history.json could not be read; kept it "
                                             "as history.unreadable-\\d{8}-\\d{6}-\\d{3}.json$"));
        store.add("first");
        store.add("second");
        const QDir folder(dataFolderURL());
        const QStringList aside = folder.entryList({"history.unreadable-*.json"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(folder.filePath(aside.first())), broken);
        QCOMPARE(loadHistory()->cards.size(), 2);
    }

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
        for (const QString folder : {"ZORVE", "Zorv"}) {
            if (folder == "ZORVE" || newFolderExists) {
                QVERIFY(base.mkpath(folder));
                QFile::setPermissions(base.filePath(folder), QFile::Permissions(0x7755));
            }
        }
        writeFile(base.filePath("ZORVE/history.json"), "legacy");
        QCOMPARE(dataFolderURL(), base.filePath("Zorv"));
        QCOMPARE(QFile::exists(base.filePath("ZORVE")), newFolderExists);
        QCOMPARE(modeOf(base.filePath("Zorv")), newFolderExists ? 0755 : 0700);
        QCOMPARE(readFile(base.filePath("Zorv/history.json")),
                 newFolderExists ? QByteArray() : QByteArray("legacy"));
    }

    void trimsToLimitKeepingPins_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("pins"); // of three cards
        QTest::addColumn<QString>("expected");
        QTest::newRow("full: bottom card goes") << 3 << QString() << "new< 0 1";
        QTest::newRow("pinned bottom survives") << 3 << QString("..p") << "new< 0 2*";
        QTest::newRow("pins fill the limit: only pins stay") << 2 << QString("pp.") << "0*< 1*";
        QTest::newRow("more pins than limit") << 2 << QString("ppp") << "0*< 1* 2*";
    }

    void trimsToLimitKeepingPins()
    {
        QFETCH(int, limit);
        QFETCH(QString, pins);
        AppSettings::maxCards.set(limit);
        CardStore store = storeWith(3, pins);
        store.add("new");
        QTEST(describe(store), "expected");
    }

    // Operations name a card by its position then (x: none); every change reaches the file.
    void operations_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("changes");
        const auto row = [](const char *name, const char *operations, const char *clipboard,
                            const char *expected, int changes) {
            QTest::newRow(name) << QString(operations) << QString(clipboard) << QString(expected)
                                << changes;
        };
        row("add keeps a duplicate, on top and active", "add 1", "untouched", "1< 0 1 2", 1);
        row("remove the active card: the new top is active, copied", "remove 1", "0", "0< 2", 1);
        row("remove another card: nothing copied", "remove 2", "untouched", "0 1<", 1);
        row("remove the last card: none active", "remove 0, remove 1, remove 0", "untouched", "",
            3);
        row("select copies, the card stays in place", "select 2", "2", "0 1 2<", 1);
        row("select copies even empty text", "add , select 1, select 0", "", "< 0 1 2", 3);
        row("pin and unpin", "pin 2, pin 0, pin 2", "untouched", "0* 1< 2", 3);
        row("move up", "moveUp 2", "untouched", "0 2 1<", 1);
        row("the top card or an unknown id changes nothing",
            "moveUp 0, moveUp x, select x, pin x, remove x", "untouched", "0 1< 2", 0);
    }

    void operations()
    {
        QFETCH(QString, operations);
        CardStore store = storeWith(3);
        store.activeCardID = store.cards.at(1).id;
        const QList<Card> start = store.cards;
        int changes = 0;
        store.onChange = [&] { ++changes; };
        for (const QString &operation : operations.split(", ")) {
            const QString name = operation.section(' ', 0, 0), target = operation.section(' ', 1);
            const QUuid id = target == "x" || name == "add" ? QUuid::createUuid()
                                                            : store.cards.at(target.toInt()).id;
            name == "add"      ? void(store.add(target))
            : name == "remove" ? store.remove(id)
            : name == "select" ? store.select(id)
            : name == "pin"    ? store.togglePin(id)
                               : store.moveUp(id);
        }
        QTEST(Pasteboard::string(), "clipboard");
        QTEST(describe(store), "expected");
        QTEST(changes, "changes");
        const std::optional<HistorySnapshot> saved = loadHistory();
        QCOMPARE(saved ? saved->cards : start, store.cards);
        QCOMPARE(saved ? saved->activeCardID : store.activeCardID, store.activeCardID);
    }
};

void TestCardStore::writesHistoryByteForByte_data()
{
    QTest::addColumn<HistorySnapshot>("snapshot");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("empty, no active card") << HistorySnapshot{} << QByteArray(R"({"cards":[]})");
    QTest::newRow("keys in declaration order, active last")
        << HistorySnapshot{{Card{idA, "hello", at(786123456789), true}}, idA}
        << QByteArray(R"({"cards":[{"id":"6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB",)"
                      R"("text":"hello","createdAt":786123456.789,"isPinned":true}],)"
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

QTEST_MAIN(TestCardStore)
#include "tst_cardstore.moc"
