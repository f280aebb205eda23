#include "../TestFiles.h"
#include "model/DataFolder.h"
#include "model/MemoFile.h"
#include "model/MemoStore.h"
#include "model/StoredValues.h"

#include <QDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString idA = QStringLiteral("6F1E4A2B-0C3D-4E5F-8A9B-0123456789AB");
const QString idB = QStringLiteral("00000000-0000-4000-8000-00000000000B");

QDateTime minutesAgo(int minutes)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(now - now % 1000 - minutes * 60000LL, Qt::UTC);
}

Memo memoWith(const QString &title, const QString &text, bool pinned = false, int minutes = 0)
{
    return Memo{QUuid::createUuid(), title, text, minutesAgo(minutes), pinned};
}

QString memosPath(const QString &name = {})
{
    return QDir::cleanPath(dataFolderURL() + "/Memos/" + name);
}

QString md(const QString &id)
{
    return memosPath(id + ".md");
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).lastModified().toUTC();
}

QStringList textsOf(const MemoStore &store)
{
    QStringList texts;
    for (const Memo &memo : store.memos)
        texts << memo.text;
    return texts;
}

} // namespace

class TestMemoStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dataHome;

private slots:
    void init()
    {
        dataHome = privateDataHome();
        QVERIFY(QDir().mkpath(memosPath()));
    }

    // A memo file read, and the bytes written back ("=": the same bytes, "": not checked).
    void memoFileFormat_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pinned");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char *name, const char *bytes, const char *title,
                            const char *text, bool pinned, const char *written) {
            QTest::newRow(name) << QByteArray(bytes) << QString(title) << QString(text) << pinned
                                << QByteArray(*written == '=' ? bytes : written);
        };
        row("pinned", "# A\npin: true\n\nx\n", "A", "x\n", true, "=");
        row("unpinned", "# A\n\nx\n", "A", "x\n", false, "=");
        row("empty text", "# A\n\n", "A", "", false, "=");
        row("text ending in CR LF gets a line feed", "# A\n\nx\r\n", "A", "x\r\n", false,
            "# A\n\nx\r\n\n");
        row("heading, pin and blank lines dropped",
            "  # Title \n\npin: false\n pin: true \n\nbody\n\n", "Title", "body\n\n", true, "");
        row("only one number sign goes", "## A\nx", "# A", "x", false, "");
        row("no heading: BOM dropped, whole content trimmed", "\xEF\xBB\xBF\n hello\n# not\n ",
            "(name)", "hello\n# not", false, "");
        row("empty heading takes the file's name", "#   \nx", "(name)", "x", false, "");
        row("CR LF file is one line", "# A\r\n\r\nbody\r\n", "A\r\n\r\nbody", "", false, "");
        row("keycap is not a heading", "#\u20E3 A\nx", "(name)", "#\u20E3 A\nx", false, "");
        row("pin words inside the body stay", "# A\n\nx\npin: true\n", "A", "x\npin: true\n", true,
            "");
    }

    void memoFileFormat()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, pinned);
        const QDateTime fileTime = minutesAgo(5);
        writeFile(md(idA.toLower()), bytes, fileTime);
        MemoStore store;
        store.reload();
        const Memo read = store.memos.value(0);
        QCOMPARE(read.title, title == "(name)" ? idA.toLower() : title);
        QCOMPARE(read.text, text);
        QCOMPARE(read.isPinned, pinned);
        QCOMPARE(read.updatedAt, fileTime); // the file's time stands for it
        if (QFETCH(QByteArray, written); !written.isEmpty()) {
            MemoStore writer;
            writer.memos = {Memo{QUuid::fromString(idB), title, "", {}, pinned}};
            writer.setActiveText(text); // not active: writes nothing
            QVERIFY(!QFile::exists(md(idB)));
            writer.activeMemoID = writer.memos.first().id;
            writer.setActiveText(text);
            QCOMPARE(readFile(md(idB)), written);
        }
    }

    // Only UUID-named, readable .md files are memos; their pin line and file time are read.
    void readsFolder()
    {
        writeFile(md(idA.toLower()), "# Old\n\nsays pin: true inside", minutesAgo(60));
        writeFile(memosPath(idB + ".MD"), "\xEF\xBB\xBFno heading", minutesAgo(5));
        writeFile(memosPath("notes.md"), "# Not a memo\n", minutesAgo(1));
        writeFile(md("." + idB.left(35) + "C"), "# hidden\n");
        writeFile(md(idB.left(35) + "D"), "# bad \xFF utf-8\n");
        writeFile(memosPath(idB.left(35) + "E.txt"), "# other extension\n");

        MemoStore store;
        store.reload();
        QCOMPARE(textsOf(store), (QStringList{"no heading", "says pin: true inside"}));
        QCOMPARE(store.activeMemoID, store.memos.at(0).id);

        // Saving writes back to the file as it is named, not a second upper-case one.
        store.togglePin(store.memos.at(1).id);
        QCOMPARE(QDir(memosPath()).entryList({"6*"}), QStringList{idA.toLower() + ".md"});
    }

    void titlesAndFileNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("fileName");
        const auto row = [](const char *name, QString title, QString text, QString display,
                            QString fileName) {
            QTest::newRow(name) << title << text << display << fileName;
        };
        const QString family = QStringLiteral("👨‍👩‍👧");
        row("trimmed title", " a/b:c? ", "x", "a/b:c?", "a_b_c_");
        row("first line, 24 characters, emoji count as one", " \n",
            "  " + family.repeated(30) + "\u2028second", family.repeated(24), family.repeated(24));
        row("empty first line", "", "\r\nsecond", "無題", "無題");
    }

    void titlesAndFileNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        const Memo memo{QUuid::createUuid(), title, text, {}, false};
        QTEST(memo.displayTitle(), "display");
        QTEST(MemoStore::sanitizedFileName(memo.displayTitle()), "fileName");
        QCOMPARE(MemoStore::sanitizedFileName(""), "memo");
        // A new memo's title: local time, no year.
        const QDateTime utc = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 59), Qt::LocalTime).toUTC();
        QCOMPARE(MemoStore::dateTitle(utc), "03.05.09:07");
    }

    // A collapse merges the editor's text in, a confirm writes it; loaded: it came from the memo.
    void applyInputMerges_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("collapse");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("expected"); // the memos' texts, newest first
        const auto row = [](const char *name, const char *memo, bool loaded, bool collapse,
                            const char *input, const QStringList &expected) {
            QTest::newRow(name) << QString(memo) << loaded << collapse << QString(input)
                                << expected;
        };
        row("appends after a blank line", "a", false, true, "b\n", {"a\n\nb"});
        row("already ends with it", "a\n\nb", false, true, " b ", {"a\n\nb"});
        row("equal", "b", false, true, "b", {"b"});
        row("extends the memo: replaces", "ab", false, true, "abc", {"abc"});
        row("empty memo takes it", "", false, true, "x", {"x"});
        row("canonically equal", "caf\u00E9", false, true, "cafe\u0301", {"caf\u00E9"});
        row("suffix must end on a character", "a\r\n", false, true, "\n", {"a\r\n"});
        row("text found inside is still appended", "b\n\nc", false, true, "b", {"b\n\nc\n\nb"});
        // Regression: a memo file's final line feed made every collapse append the text again.
        row("a file's final line feed is not new text", "first\n", false, true, "first",
            {"first\n"});
        row("extends a memo read back", "first\n", false, true, "first more", {"first more"});
        row("appends after the memo's last word", "a\n\n", false, true, "b", {"a\n\nb"});
        // Regression: a confirm or "反映" replaced a memo the editor had never held.
        row("other text goes into a new memo", "important\n", false, false, "typed",
            {"typed", "important\n"});
        row("an empty memo takes a confirm", "", false, false, "typed\n", {"typed\n"});
        row("text grown from the memo", "notes\n", false, false, "notes\nmore", {"notes\nmore"});
        row("a loaded memo follows the editor", "abc def\n", true, false, "abc\n", {"abc\n"});
        row("a collapse follows the editor too", "abc def\n", true, true, " abc\n", {"abc"});
        row("a collapse with nothing new writes nothing", "abc\n", true, true, "abc", {"abc\n"});
        row("a collapse keeps the first line's indent", "  abc\n", true, true, "  abc",
            {"  abc\n"});
    }

    void applyInputMerges()
    {
        QFETCH(QString, memo);
        QFETCH(QString, input);
        QFETCH(QStringList, expected);
        MemoStore store;
        store.memos = {memoWith("T", memo, false, 10)};
        store.activeMemoID = store.memos.first().id;
        if (QFETCH(bool, loaded); loaded)
            store.editorDidLoadMemo(store.memos.first().id);
        int changes = 0;
        store.onChange = [&] { ++changes; };
        QFETCH(bool, collapse);
        collapse ? store.applyInput(input) : store.writeEditorText(input);
        QCOMPARE(textsOf(store), expected);
        QCOMPARE(store.activeMemoID, store.memos.first().id);
        const bool changed = expected != QStringList{memo};
        QCOMPARE(changes, int(changed));
        QCOMPARE(store.memos.first().updatedAt > minutesAgo(1), changed);
    }

    // Text a collapse appended stays the editor's own until edited or loaded from elsewhere.
    void appendedTextFollowsTheEditor()
    {
        writeFile(md(idA), "# A\n\nimportant\n");
        MemoStore store;
        store.reload();
        store.applyInput("typed");
        store.reload();
        store.writeEditorText("typed more\n");
        store.reload();
        store.applyInput("typed more");
        QCOMPARE(readFile(md(idA)), "# A\n\nimportant\n\ntyped more\n");

        writeFile(md(idA), "# A\n\nedited elsewhere\n");
        store.reload();
        store.writeEditorText("typed more\n");
        QCOMPARE(store.memos.size(), 2);
        store.editorDidLoadOtherText();
        store.writeEditorText("a card");
        QCOMPARE(textsOf(store), (QStringList{"a card", "typed more\n", "edited elsewhere\n"}));
        QCOMPARE(readFile(md(idA)), "# A\n\nedited elsewhere\n");
    }

    void visibleMemos_data()
    {
        QTest::addColumn<QString>("pins"); // one letter per memo, newest first: p pinned
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("newest up to n") << "...." << 0 << 2 << "0 1";
        QTest::newRow("pinned first, then newest") << "..p." << 0 << 2 << "2 0";
        QTest::newRow("all pinned even beyond n") << "ppppp." << 0 << 4 << "0 1 2 3 4";
        QTest::newRow("active unpinned replaces the last pinned")
            << "ppppp." << 5 << 4 << "0 1 2 3 5";
        QTest::newRow("n below 1 counts as 1") << "..." << 0 << 0 << "0";
        QTest::newRow("active older memo takes the one place") << "..." << 2 << 1 << "2";
        QTest::newRow("active goes after the pins") << "p..." << 3 << 3 << "0 3 1";
    }

    void visibleMemos()
    {
        QFETCH(QString, pins);
        QFETCH(int, active);
        QFETCH(int, count);
        MemoStore store;
        // Listed oldest first, so the order comes from updatedAt and not from the list.
        for (int i = 0; i < pins.size(); ++i)
            store.memos.prepend(memoWith(QString::number(i), "", pins.at(i) == u'p', i));
        store.activeMemoID = store.memos.at(pins.size() - 1 - active).id;
        QStringList titles;
        for (const Memo &memo : store.visibleMemos(count))
            titles << memo.title;
        QTEST(titles.join(' '), "expected");
    }

    void activeMemoMoves()
    {
        MemoStore store;
        QCOMPARE(store.activeOrCreate().title.size(), 11); // a date title, e.g. 03.05.09:07
        const Memo second = store.create();
        QCOMPARE(store.activeOrCreate(), second);
        store.select(store.memos.at(1).id, false);
        store.remove(store.memos.at(1).id);
        QCOMPARE(store.activeMemoID, second.id);
        store.activeMemoID = QUuid::createUuid(); // names no memo: reload picks the first
        store.reload();
        QCOMPARE(store.activeMemoID, second.id);
        store.remove(second.id);
        QVERIFY(!store.activeMemoID);
        QVERIFY(QDir(memosPath()).isEmpty());
    }

    // A cancelled or failed export says so; a failed save is logged, memory keeps the change.
    void exportsAndSavesReportFailures()
    {
        const Memo memo = memoWith("a", "x");
        MemoStore store;
        FixedChooser cancelled{QString()};
        QVERIFY(!store.exportMarkdown(memo, cancelled));
        FixedChooser impossible{dataHome->filePath("missing/out.md")};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: markdown export failed: .+"));
        QVERIFY(!store.exportMarkdown(memo, impossible));

        QVERIFY(QDir(memosPath()).removeRecursively());
        writeFile(memosPath(), "a file where the folder belongs");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: failed to save memos: .+"));
        store.create();
        QCOMPARE(store.memos.size(), 1);
    }

    // Regression: every change rewrote every memo file, resetting their times and so the order.
    void writesOnlyChangedFiles()
    {
        const QDateTime timeA = minutesAgo(30), timeB = minutesAgo(60);
        writeFile(md(idA), "#  A hand-made   \n\n\nx", timeA);
        writeFile(md(idB), "# B\n\ny\n", timeB);
        MemoStore store;
        store.reload();
        store.select(store.memos.at(1).id, false);
        QCOMPARE(modified(md(idB)), timeB);
        store.setActiveText("y\n"); // same text: only the time moves
        QCOMPARE(readFile(md(idB)), "# B\n\ny\n");
        QCOMPARE(modified(md(idB)), store.memos.at(1).updatedAt);
        store.setActiveText("changed");
        QCOMPARE(readFile(md(idB)), "# B\n\nchanged\n");
        QCOMPARE(readFile(md(idA)), "#  A hand-made   \n\n\nx");
        QCOMPARE(modified(md(idA)), timeA);
        store.reload();
        QCOMPARE(uuidText(store.memos.first().id), idB); // newest first survives
    }

    void reloadSeesEveryOutsideChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("none") << "none" << QStringList{"a\n", "b\n"};
        QTest::newRow("edited, same size") << "edited" << QStringList{"z\n", "b\n"};
        QTest::newRow("removed") << "removed" << QStringList{"b\n"};
        QTest::newRow("renamed in") << "renamed in" << QStringList{"a\n", "b\n", "c\n"};
        QTest::newRow("edited through a link") << "symlink" << QStringList{"a\n", "b2\n"};
        QTest::newRow("edited through a hard link") << "hard link" << QStringList{"a\n", "b2\n"};
    }

    // A reload reads only what changed, yet sees every outside change, through links too.
    void reloadSeesEveryOutsideChange()
    {
        QFETCH(QString, change);
        const QString outside = dataHome->filePath("outside.md");
        const bool linked = change == "hard link" || change == "symlink";
        writeFile(md(idA), "# A\n\na\n", minutesAgo(30));
        writeFile(linked ? outside : md(idB), "# B\n\nb\n", minutesAgo(60));
        if (change == "symlink")
            QVERIFY(QFile::link(outside, md(idB)));
        if (change == "hard link")
            QVERIFY(::link(qPrintable(outside), qPrintable(md(idB))) == 0);
        MemoStore store;
        store.reload();
        int changes = 0;
        store.onChange = [&] { ++changes; };

        if (change == "edited")
            writeFile(md(idA), "# A\n\nz\n", minutesAgo(20));
        if (change == "removed")
            QVERIFY(QFile::remove(md(idA)));
        if (change == "renamed in") {
            writeFile(outside, "# C\n\nc\n", minutesAgo(90));
            QVERIFY(QFile::rename(outside, md(QUuid::createUuid().toString(QUuid::WithoutBraces))));
        }
        if (linked)
            writeFile(outside, "# B\n\nb2\n", minutesAgo(60));
        store.reload();
        QTEST(textsOf(store), "texts");
        QCOMPARE(changes, change == "none" ? 0 : 1);
    }

    // Regression: an edit made by another program since the last reload was overwritten.
    void keepsOtherProgramsEditBeforeWriting()
    {
        writeFile(md(idA), "# A\n\nx\n", minutesAgo(30));
        writeFile(md(idB), "# B\n\ny\n", minutesAgo(60));
        MemoStore store;
        store.reload();
        writeFile(md(idA), "# A\n\nedited elsewhere\n");
        writeFile(md(idB), "# B\n\nalso elsewhere\n");

        const QString copy = idA + " \\(other version \\d{8}-\\d{6}-\\d{3}\\).md$";
        const QString told = ".md was changed by another program; kept that version as ";
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: " + idA + told + copy));
        store.setActiveText("mine");
        QCOMPARE(readFile(md(idA)), "# A\n\nmine\n");
        const QStringList kept = QDir(memosPath()).entryList({idA + " (other version *).md"});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(readFile(memosPath(kept.first())), "# A\n\nedited elsewhere\n");
        QCOMPARE(readFile(md(idB)), "# B\n\nalso elsewhere\n"); // not Zorv's change

        store.setActiveText("mine again"); // Zorv's own file now: nothing more is kept
        store.reload();
        QCOMPARE(store.memos.size(), 2); // the kept version is never a memo
        QCOMPARE(QDir(memosPath()).entryList(QDir::Files).size(), 3);
    }

    // Regression: a save removed every UUID-named file it had not just written.
    void removesOnlyMemosDeletedInZorv()
    {
        QVERIFY(QDir(memosPath()).removeRecursively());
        MemoStore store;
        const Memo gone = store.create();
        const Memo kept = store.create();
        writeFile(md(idA), "# From a sync tool\n");
        store.remove(gone.id);
        QVERIFY(!QFile::exists(md(uuidText(gone.id))));
        QVERIFY(QFile::exists(md(uuidText(kept.id))));
        QVERIFY(QFile::exists(md(idA)));
        QCOMPARE(modeOf(memosPath()), 0700);
        QCOMPARE(modeOf(dataFolderURL()), 0700);
    }

    // memos.json is imported, keeping the memos' times, while no Markdown memo is there.
    void importsLegacyMemosWhileNoMarkdownFile()
    {
        const QString legacy = QDir(dataFolderURL()).filePath("memos.json");
        writeFile(legacy,
                  R"([{"id":")" + idA.toLower().toUtf8() +
                      R"(","title":"T","text":"x","updatedAt":786123456.5,"isPinned":null},)"
                      R"({"isPinned":true,"updatedAt":5,"text":"","title":"","id":")" +
                      idB.toUtf8() + R"("}])");
        MemoStore store;
        store.reload();
        QCOMPARE(store.memos.size(), 2);
        QCOMPARE(readFile(md(idA)), "# T\n\nx\n");
        QCOMPARE(readFile(md(idB)), "# \npin: true\n\n");
        QCOMPARE(modified(md(idA)), dateFromReferenceSeconds(786123456.5));

        store.remove(store.memos.first().id);
        store.reload();
        QCOMPARE(store.memos.size(), 1); // a Markdown file is left: no import
    }
};

QTEST_MAIN(TestMemoStore)
#include "tst_memostore.moc"
