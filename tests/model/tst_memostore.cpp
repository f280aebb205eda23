#include "StoreTestFiles.h"
#include "model/DataFolder.h"
#include "model/MemoFile.h"
#include "model/MemoStore.h"
#include "model/StoredValues.h"
#include "platform/Pasteboard.h"

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

QDateTime modified(const QString &path)
{
    return QFileInfo(path).lastModified().toUTC();
}

} // namespace

class TestMemoStore : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dataHome = privateDataHome();
        QVERIFY(QDir().mkpath(memosPath()));
    }

    void writesMemoFileByteForByte_data()
    {
        QTest::addColumn<Memo>("memo");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack"); // the text a reload gives

        QTest::newRow("pinned: four lines")
            << memoWith("A", "x", true) << QByteArray("# A\npin: true\n\nx\n") << "x\n";
        QTest::newRow("unpinned: three lines")
            << memoWith("A", "x\n") << QByteArray("# A\n\nx\n") << "x\n";
        QTest::newRow("empty text") << memoWith("A", "") << QByteArray("# A\n\n") << "";
        QTest::newRow("empty title reads back as the id")
            << memoWith("", "日本") << QByteArray("# \n\n日本\n") << "日本\n";
        QTest::newRow("text ending in CR LF gets a line feed")
            << memoWith("A", "x\r\n") << QByteArray("# A\n\nx\r\n\n") << "x\r\n\n";
    }

    void writesMemoFileByteForByte()
    {
        QFETCH(Memo, memo);
        QFETCH(QByteArray, bytes);
        QCOMPARE(memoFileContent(memo), bytes);

        MemoStore store;
        store.memos = {memo};
        store.setActiveText(memo.text); // not active: writes nothing
        QVERIFY(!QFile::exists(memosPath(uuidText(memo.id) + ".md")));
        store.activeMemoID = memo.id;
        store.setActiveText(memo.text);
        QCOMPARE(readFile(memosPath(uuidText(memo.id) + ".md")), bytes);
        QCOMPARE(modeOf(memosPath(uuidText(memo.id) + ".md")), 0600);

        const QDateTime written = store.memos.first().updatedAt;
        store.reload();
        QCOMPARE(store.memos.size(), 1);
        const Memo loaded = store.memos.first();
        QCOMPARE(loaded.title, memo.title.isEmpty() ? uuidText(memo.id) : memo.title);
        QTEST(loaded.text, "readBack");
        QCOMPARE(loaded.isPinned, memo.isPinned);
        QCOMPARE(loaded.updatedAt, written); // the file's time stands for it
        if (!memo.title.isEmpty())
            QCOMPARE(memoFileContent(loaded), bytes); // saving what was read changes nothing
    }

    void parsesContent_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const char *content, const char *title,
                            const char *text) {
            QTest::newRow(name) << QString(content) << QString(title) << QString(text);
        };
        row("heading, pin and blank lines dropped",
            "  # Title \n\npin: false\n pin: true \n\nbody\n\n", "Title", "body\n\n");
        row("only one number sign goes", "## A\nx", "# A", "x");
        row("no heading: whole content trimmed", "\n hello\n# not\n ", "fallback", "hello\n# not");
        row("empty heading takes the fallback", "#   \nx", "fallback", "x");
        row("CR LF file is one line", "# A\r\n\r\nbody\r\n", "A\r\n\r\nbody", "");
        row("keycap is not a heading", "#\u20E3 A\nx", "fallback", "#\u20E3 A\nx");
        row("pin words inside the body stay", "# A\n\nx\npin: true\n", "A", "x\npin: true\n");
    }

    void parsesContent()
    {
        QFETCH(QString, content);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const MemoContent parsed = parseMemoContent(content, "fallback");
        QCOMPARE(parsed.title, title);
        QCOMPARE(parsed.text, text);
    }

    void readsFolder()
    {
        writeFile(memosPath(idA.toLower() + ".md"), "# Old\n\nsays pin: true inside",
                  minutesAgo(60));
        writeFile(memosPath(idB + ".MD"), "\xEF\xBB\xBFno heading", minutesAgo(5));
        writeFile(memosPath("notes.md"), "# Not a memo\n", minutesAgo(1));
        writeFile(memosPath("." + idB.left(35) + "C.md"), "# hidden\n");
        writeFile(memosPath(idB.left(35) + "D.md"), "# bad \xFF utf-8\n");
        writeFile(memosPath(idB.left(35) + "E.txt"), "# other extension\n");

        MemoStore store;
        int changes = 0;
        store.onChange = [&] { ++changes; };
        store.reload();
        QCOMPARE(changes, 1);
        QCOMPARE(store.memos.size(), 2);
        QCOMPARE(uuidText(store.memos.at(0).id), idB); // newest first
        QCOMPARE(store.memos.at(0).title, idB);
        QCOMPARE(store.memos.at(0).text, "no heading");
        QCOMPARE(store.memos.at(1).title, "Old");
        QVERIFY(store.memos.at(1).isPinned);
        QCOMPARE(store.memos.at(1).updatedAt, minutesAgo(60));
        QCOMPARE(store.activeMemoID, store.memos.at(0).id);

        // Saving writes back to the file as it is named, not a second upper-case one.
        store.togglePin(store.memos.at(1).id);
        QCOMPARE(QDir(memosPath()).entryList({"6*"}), QStringList{idA.toLower() + ".md"});
    }

    void displayTitleAndFileName_data()
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
        row("first line, 24 characters", " \n", "  123456789012345678901234567\u2028second",
            "123456789012345678901234", "123456789012345678901234");
        row("emoji count as one", "", family.repeated(30), family.repeated(24),
            family.repeated(24));
        row("empty first line", "", "\r\nsecond", "無題", "無題");
        row("all ten characters", "/:\\?%*|\"<>", "", "/:\\?%*|\"<>", "__________");
    }

    void displayTitleAndFileName()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, display);
        const Memo memo{QUuid::createUuid(), title, text, {}, false};
        QCOMPARE(memo.displayTitle(), display);
        QTEST(MemoStore::sanitizedFileName(memo.displayTitle()), "fileName");
        QCOMPARE(MemoStore::sanitizedFileName(""), "memo");
    }

    void dateTitleHasNoYear()
    {
        const QDateTime local(QDate(2026, 3, 5), QTime(9, 7, 59), Qt::LocalTime);
        QCOMPARE(MemoStore::dateTitle(local), "03.05.09:07");
        QCOMPARE(MemoStore::dateTitle(local.toUTC()), "03.05.09:07");
    }

    void applyInputMerges_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("changed");
        const auto row = [](const char *name, const char *current, const char *input,
                            const char *result, bool changed) {
            QTest::newRow(name) << QString(current) << QString(input) << QString(result) << changed;
        };
        row("appends after a blank line", "a", "b\n", "a\n\nb", true);
        row("already ends with it", "a\n\nb", " b ", "a\n\nb", false);
        row("equal", "b", "b", "b", false);
        row("extends the memo: replaces", "ab", "abc", "abc", true);
        row("empty memo takes it", "", "x", "x", true);
        row("canonically equal", "caf\u00E9", "cafe\u0301", "caf\u00E9", false);
        row("suffix must end on a character", "a\r\n", "\n", "a\r\n", false);
        // Regression: the final line feed of a memo read back from its file made every
        // collapse append the whole text again.
        row("a file's final line feed is not new text", "first\n", "first", "first\n", false);
        row("extends a memo read back", "first\n", "first more", "first more", true);
        row("appends after the memo's last word", "a\n\n", "b", "a\n\nb", true);
    }

    void applyInputMerges()
    {
        QFETCH(QString, current);
        QFETCH(QString, input);
        QFETCH(bool, changed);
        MemoStore store;
        store.memos = {memoWith("T", current, false, 10)};
        store.activeMemoID = store.memos.first().id;
        int changes = 0;
        store.onChange = [&] { ++changes; };
        store.applyInput(input);
        QTEST(store.memos.first().text, "result");
        QCOMPARE(changes, int(changed));
        QCOMPARE(store.memos.first().updatedAt > minutesAgo(1), changed);
    }

    // Regression: a confirm or "反映" replaced a memo the editor had never held.
    void editorTextReachesItsMemo_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<bool>("loaded");   // the editor's text came from this memo
        QTest::addColumn<bool>("collapse"); // else a confirm
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // the memos' texts, newest first
        QTest::newRow("other text goes into a new memo")
            << "important\n"
            << false << false << "typed" << QStringList{"typed", "important\n"};
        QTest::newRow("an empty memo takes it") << "" << false << false << "typed\n"
                                                << QStringList{"typed\n"};
        QTest::newRow("text grown from the memo")
            << "notes\n"
            << false << false << "notes\nmore" << QStringList{"notes\nmore"};
        QTest::newRow("a loaded memo follows the editor") << "abc def\n"
                                                          << true << false << "abc\n"
                                                          << QStringList{"abc\n"};
        QTest::newRow("a collapse follows the editor too") << "abc def\n"
                                                           << true << true << " abc\n"
                                                           << QStringList{"abc"};
        QTest::newRow("a collapse with nothing new writes nothing")
            << "abc\n"
            << true << true << "abc" << QStringList{"abc\n"};
        QTest::newRow("a collapse keeps the indent of the first line")
            << "  abc\n"
            << true << true << "  abc" << QStringList{"  abc\n"};
    }

    void editorTextReachesItsMemo()
    {
        QFETCH(QString, memo);
        QFETCH(bool, loaded);
        QFETCH(QString, text);
        MemoStore store;
        store.memos = {memoWith("T", memo, false, 10)};
        store.activeMemoID = store.memos.first().id;
        if (loaded)
            store.editorDidLoadMemo(store.memos.first().id);
        QFETCH(bool, collapse);
        collapse ? store.applyInput(text) : store.writeEditorText(text);
        QStringList texts;
        for (const Memo &each : store.memos)
            texts << each.text;
        QTEST(texts, "expected");
        QCOMPARE(store.activeMemoID, store.memos.first().id);
    }

    // Text appended by a collapse stays the editor's own through shows; an edit made elsewhere
    // or a text loaded from elsewhere ends that.
    void appendedTextFollowsTheEditor()
    {
        writeFile(memosPath(idA + ".md"), "# A\n\nimportant\n");
        MemoStore store;
        store.reload();
        store.applyInput("typed");
        store.reload();
        store.writeEditorText("typed more\n");
        store.reload();
        store.applyInput("typed more");
        QCOMPARE(readFile(memosPath(idA + ".md")), "# A\n\nimportant\n\ntyped more\n");

        writeFile(memosPath(idA + ".md"), "# A\n\nedited elsewhere\n");
        store.reload();
        store.writeEditorText("typed more\n");
        QCOMPARE(store.memos.size(), 2);
        store.editorDidLoadOtherText();
        store.writeEditorText("a card");
        QCOMPARE(store.memos.size(), 3);
        QCOMPARE(readFile(memosPath(idA + ".md")), "# A\n\nedited elsewhere\n");
    }

    void visibleMemos_data()
    {
        QTest::addColumn<QString>("pins"); // one letter per memo, oldest last: p pinned
        QTest::addColumn<int>("active");   // -1: none
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("newest up to n") << "...." << 0 << 2 << QList<int>{0, 1};
        QTest::newRow("pinned first, then newest") << "..p." << 0 << 2 << QList<int>{2, 0};
        QTest::newRow("all pinned even beyond n")
            << "ppppp." << 0 << 4 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("active unpinned replaces the last pinned")
            << "ppppp." << 5 << 4 << QList<int>{0, 1, 2, 3, 5};
        QTest::newRow("n below 1 counts as 1") << "..." << 0 << 0 << QList<int>{0};
        QTest::newRow("active older memo takes the one place") << "..." << 2 << 1 << QList<int>{2};
        QTest::newRow("active goes after the pins") << "p..." << 3 << 3 << QList<int>{0, 3, 1};
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
        if (active >= 0)
            store.activeMemoID = store.memos.at(pins.size() - 1 - active).id;
        QList<int> titles;
        for (const Memo &memo : store.visibleMemos(count))
            titles << memo.title.toInt();
        QTEST(titles, "expected");
    }

    void activeMemoMoves()
    {
        MemoStore store;
        QCOMPARE(store.activeOrCreate().title.size(), 11); // a date title, e.g. 03.05.09:07
        const Memo second = store.create();
        QCOMPARE(store.activeMemoID, second.id);
        QCOMPARE(store.activeOrCreate(), second);
        const QUuid first = store.memos.at(1).id;

        Pasteboard::setString("before");
        store.select(first, true); // empty text: the clipboard is left alone
        QCOMPARE(Pasteboard::string(), "before");
        store.setActiveText("copied");
        store.select(second.id, false);
        store.select(first, true);
        QCOMPARE(Pasteboard::string(), "copied");

        store.remove(first);
        QCOMPARE(store.activeMemoID, second.id);
        store.activeMemoID = QUuid::createUuid(); // names no memo: reload picks the first
        store.reload();
        QCOMPARE(store.activeMemoID, second.id);
        store.remove(second.id);
        QVERIFY(!store.activeMemoID);
        QVERIFY(QDir(memosPath()).isEmpty());
    }

    void importsLegacyMemosWhileNoMarkdownFile();
    void exportsAndLogsFailures()
    {
        const Memo memo = memoWith(" a/b ", "x", true);
        FixedChooser cancelled{QString()};
        MemoStore store;
        QVERIFY(!store.exportMarkdown(memo, cancelled));
        QCOMPARE(cancelled.suggested, "a_b.md");

        FixedChooser chosen{QDir(dataHome->path()).filePath("out.md")};
        QVERIFY(store.exportMarkdown(memo, chosen));
        QCOMPARE(readFile(chosen.path), memoFileContent(memo));

        FixedChooser impossible{QDir(dataHome->path()).filePath("missing/out.md")};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: markdown export failed: .+"));
        QVERIFY(!store.exportMarkdown(memo, impossible));

        QVERIFY(QDir(memosPath()).removeRecursively());
        writeFile(memosPath(), "a file where the folder belongs");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: failed to save memos: .+"));
        store.create();
        QCOMPARE(store.memos.size(), 1); // memory keeps the change
    }

    // Regression: every change rewrote every memo file, resetting their times and so the order.
    void writesOnlyChangedFiles()
    {
        writeFile(memosPath(idA + ".md"), "#  A hand-made   \n\n\nx", minutesAgo(30));
        writeFile(memosPath(idB + ".md"), "# B\n\ny\n", minutesAgo(60));
        MemoStore store;
        store.reload();
        store.select(store.memos.at(1).id, false);
        QCOMPARE(modified(memosPath(idB + ".md")), minutesAgo(60));

        store.setActiveText("y\n"); // same text: only the time moves
        QCOMPARE(readFile(memosPath(idB + ".md")), "# B\n\ny\n");
        QCOMPARE(modified(memosPath(idB + ".md")), store.memos.at(1).updatedAt);
        store.setActiveText("changed");
        QCOMPARE(readFile(memosPath(idB + ".md")), "# B\n\nchanged\n");
        QCOMPARE(readFile(memosPath(idA + ".md")), "#  A hand-made   \n\n\nx");
        QCOMPARE(modified(memosPath(idA + ".md")), minutesAgo(30));

        store.reload();
        QCOMPARE(uuidText(store.memos.first().id), idB); // newest first survives
    }

    // A reload reuses what it read of a file whose time and size stayed, and nothing else.
    void reloadRereadsChangedFiles()
    {
        writeFile(memosPath(idA + ".md"), "# A\n\nold\n", minutesAgo(30));
        writeFile(memosPath(idB + ".md"), "# B\n\ny\n", minutesAgo(60));
        MemoStore store;
        store.reload();
        writeFile(memosPath(idA + ".md"), "# A\n\nnew\n", minutesAgo(20)); // same size
        QVERIFY(QFile::remove(memosPath(idB + ".md")));

        store.reload();

        QCOMPARE(store.memos.size(), 1);
        QCOMPARE(store.memos.first().text, QStringLiteral("new\n"));
        QCOMPARE(store.memos.first().updatedAt, minutesAgo(20));
    }

    void reloadSeesEveryOutsideChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("none") << "none" << QStringList{"a\n", "b\n"};
        QTest::newRow("edited") << "edited" << QStringList{"a2\n", "b\n"};
        QTest::newRow("removed") << "removed" << QStringList{"b\n"};
        QTest::newRow("renamed in") << "renamed in" << QStringList{"a\n", "b\n", "c\n"};
        QTest::newRow("edited through a link") << "symlink" << QStringList{"a\n", "b2\n"};
        QTest::newRow("edited through a hard link") << "hard link" << QStringList{"a\n", "b2\n"};
    }

    // The folder's watch spares an unchanged folder any reading, yet no change made by another
    // program is missed, including through a link the watch can't follow.
    void reloadSeesEveryOutsideChange()
    {
        QFETCH(QString, change);
        const QString outside = dataHome->filePath("outside.md");
        writeFile(memosPath(idA + ".md"), "# A\n\na\n", minutesAgo(30));
        writeFile(change == "hard link" || change == "symlink" ? outside : memosPath(idB + ".md"),
                  "# B\n\nb\n", minutesAgo(60));
        if (change == "symlink")
            QVERIFY(QFile::link(outside, memosPath(idB + ".md")));
        if (change == "hard link")
            QVERIFY(::link(qPrintable(outside), qPrintable(memosPath(idB + ".md"))) == 0);
        MemoStore store;
        store.reload();
        int changes = 0;
        store.onChange = [&] { ++changes; };

        if (change == "edited")
            writeFile(memosPath(idA + ".md"), "# A\n\na2\n", minutesAgo(20));
        if (change == "removed")
            QVERIFY(QFile::remove(memosPath(idA + ".md")));
        if (change == "renamed in") {
            writeFile(outside, "# C\n\nc\n", minutesAgo(90));
            QVERIFY(QFile::rename(
                outside, memosPath(QUuid::createUuid().toString(QUuid::WithoutBraces) + ".md")));
        }
        if (change == "symlink" || change == "hard link")
            writeFile(outside, "# B\n\nb2\n", minutesAgo(60));
        store.reload();

        QStringList texts;
        for (const Memo &memo : store.memos)
            texts.append(memo.text);
        QTEST(texts, "texts");
        QCOMPARE(changes, change == "none" ? 0 : 1);
    }

    // Regression: an edit made by another program since the last reload was overwritten.
    void keepsOtherProgramsEditBeforeWriting()
    {
        writeFile(memosPath(idA + ".md"), "# A\n\nx\n", minutesAgo(30));
        writeFile(memosPath(idB + ".md"), "# B\n\ny\n", minutesAgo(60));
        MemoStore store;
        store.reload();
        writeFile(memosPath(idA + ".md"), "# A\n\nedited elsewhere\n");
        writeFile(memosPath(idB + ".md"), "# B\n\nalso elsewhere\n");

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Zorv: " + idA +
                                                              ".md was changed by another program; "
                                                              "kept that version as " +
                                                              idA +
                                                              " \\(other version "
                                                              "\\d{8}-\\d{6}-\\d{3}\\).md$"));
        store.setActiveText("mine");
        QCOMPARE(readFile(memosPath(idA + ".md")), "# A\n\nmine\n");
        const QStringList kept = QDir(memosPath()).entryList({idA + " (other version *).md"});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(readFile(memosPath(kept.first())), "# A\n\nedited elsewhere\n");
        QCOMPARE(readFile(memosPath(idB + ".md")), "# B\n\nalso elsewhere\n"); // not Zorv's change

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
        const QString added = memosPath(idA + ".md");
        writeFile(added, "# From a sync tool\n");
        store.remove(gone.id);
        QVERIFY(!QFile::exists(memosPath(uuidText(gone.id) + ".md")));
        QVERIFY(QFile::exists(memosPath(uuidText(kept.id) + ".md")));
        QVERIFY(QFile::exists(added));
        QCOMPARE(modeOf(memosPath()), 0700);
        QCOMPARE(modeOf(dataFolderURL()), 0700);
    }

private:
    QString memosPath(const QString &name = {}) const
    {
        return QDir(dataFolderURL()).filePath(name.isEmpty() ? "Memos" : "Memos/" + name);
    }

    std::unique_ptr<QTemporaryDir> dataHome;
};

void TestMemoStore::importsLegacyMemosWhileNoMarkdownFile()
{
    const QString legacy = QDir(dataFolderURL()).filePath("memos.json");
    writeFile(legacy, QByteArray(R"([{"id":")") + idA.toLower().toUtf8() +
                          R"(","title":"T","text":"x","updatedAt":786123456.5,"isPinned":null},)"
                          R"({"isPinned":true,"updatedAt":5,"text":"","title":"","id":")" +
                          idB.toUtf8() + R"("}])");
    MemoStore store;
    store.reload();
    QCOMPARE(store.memos.size(), 2);
    QCOMPARE(readFile(memosPath(idA + ".md")), "# T\n\nx\n");
    QCOMPARE(readFile(memosPath(idB + ".md")), "# \npin: true\n\n");
    // The imported files keep the memos' times.
    QCOMPARE(modified(memosPath(idA + ".md")), dateFromReferenceSeconds(786123456.5));

    store.remove(store.memos.first().id);
    store.reload();
    QCOMPARE(store.memos.size(), 1); // a Markdown file is left: no import
    store.remove(store.memos.first().id);
    store.reload();
    QCOMPARE(store.memos.size(), 2); // imported again

    for (const Memo &memo : std::as_const(store.memos))
        store.remove(memo.id);
    writeFile(legacy, R"([{"id":"x","title":"T","text":"x","updatedAt":1}])");
    store.reload();
    QVERIFY(store.memos.isEmpty());
}

QTEST_MAIN(TestMemoStore)
#include "tst_memostore.moc"
