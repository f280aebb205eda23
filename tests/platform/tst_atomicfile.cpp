#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/AtomicFile.h"
#include "platform/PreferencesStore.h"
#include "platform/SaveStatus.h"

#include "../TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// save() where writes past limit fail (EFBIG); exit bit 0: reported saved, bit 1: not told.
int exitOfFailingSave(qint64 limit, const std::function<bool()> &save)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{rlim_t(limit), rlim_t(limit)};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = save();
        const QString told = SaveStatus::shared().message();
        _exit((saved ? 1 : 0) |
              (told == QStringLiteral("保存できません: ディスクがいっぱいです") ? 0 : 2));
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                  QDir::System);
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = privateDataHome(); }

    // A full disk used to put the partly written file in place of the old one.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exit"); // an export is the user's own act: only the log tells
        QTest::newRow("fails when flushed") << "file" << 2;
        QTest::newRow("fails part way") << "file" << 2;
        QTest::newRow("history") << "Zorv/history.json" << 0;
        QTest::newRow("memo") << "Zorv/Memos" << 0;
        QTest::newRow("preferences") << "Zorv.conf" << 0;
        QTest::newRow("export") << "export.md" << 2;
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, file);
        QFETCH(int, exit);
        const QString big(4000, u'あ');
        const QByteArray data(
            QTest::currentDataTag() == QLatin1String("fails part way") ? 300000 : 3000, 'x');
        writeFile(m_home->filePath("file"), "old bytes\n");
        CardStore cards;
        cards.add(QStringLiteral("old card"));
        MemoStore memos;
        memos.create();
        memos.setActiveText(QStringLiteral("old memo"));
        PreferencesStore preferences(m_home->filePath("Zorv.conf"));
        preferences.setString(QStringLiteral("key"), QStringLiteral("old value"));
        QVERIFY(preferences.sync());
        FixedChooser chooser(m_home->filePath("export.md"));
        Memo memo = memos.memos.first();
        QVERIFY(memos.exportMarkdown(memo, chooser));
        QString path = m_home->filePath(file);
        if (file == "Zorv/Memos")
            path += '/' + entriesOf(path).at(0);
        const std::map<QString, std::function<bool()>> saves{
            {"fails when flushed", [&] { return AtomicFile::write(path, data); }},
            {"fails part way", [&] { return AtomicFile::write(path, data); }},
            {"history", [&] { return cards.cards.first().text = big, cards.save(); }},
            {"memo", [&] { return memos.setActiveText(big), memos.save(); }},
            {"preferences", [&] { return preferences.setString("key", big), preferences.sync(); }},
            {"export", [&] { return memo.text = big, memos.exportMarkdown(memo, chooser); }},
        };
        const std::function<bool()> save = saves.at(QTest::currentDataTag());

        const QByteArray before = readFile(path);
        const QStringList beside = entriesOf(QFileInfo(path).path());
        QCOMPARE(exitOfFailingSave(before.size() + 100, save), exit);
        QCOMPARE(readFile(path), before);
        QCOMPARE(entriesOf(QFileInfo(path).path()), beside);
        QVERIFY(save());
        QVERIFY(readFile(path).size() >= 3000);
        QCOMPARE(modeOf(path), 0600);
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

QTEST_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
