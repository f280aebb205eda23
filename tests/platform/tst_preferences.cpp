#include "../TestFiles.h"
#include "platform/PreferencesStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_store.reset();
        QFile::remove(path());
        m_store = std::make_unique<PreferencesStore>(path());
    }

    // Qt's ini reader must read back every value as written, in memory and from disk.
    void fileBytesAndValuesReadBack()
    {
        const QString escapes = QStringLiteral(" a\"b\\c;d\ne\tあf ");
        m_store->setBool("on", true);
        m_store->setInt("count", -42);
        m_store->setDouble("tiny", 1e-7);
        m_store->setString("at", "@Variant(junk)");
        m_store->setString("comma", "a, b");
        m_store->setString("empty", "");
        m_store->setString("escapes", escapes);
        for (int reopen = 0; reopen < 2; ++reopen) {
            QCOMPARE(m_store->boolValue("on"), true);
            QCOMPARE(m_store->intValue("count"), -42);
            QCOMPARE(m_store->doubleValue("tiny"), 1e-7);
            QCOMPARE(m_store->stringValue("at"), QString("@Variant(junk)"));
            QCOMPARE(m_store->stringValue("comma"), QString("a, b"));
            QCOMPARE(m_store->stringValue("empty"), QString(""));
            QCOMPARE(m_store->stringValue("escapes"), escapes);
            QVERIFY(m_store->sync());
            m_store = std::make_unique<PreferencesStore>(path());
        }
        QCOMPARE(readFile(path()), "[General]\n"
                                   "at=@@Variant(junk)\n"
                                   "comma=\"a, b\"\n"
                                   "count=-42\n"
                                   "empty=\n"
                                   "escapes=\" a\\\"b\\\\c;d\\ne\\t\\x3042\\x66 \"\n"
                                   "on=true\n"
                                   "tiny=1e-07\n");
    }

    void textReadsAsItsType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("asBool");
        QTest::addColumn<QVariant>("asInt");
        QTest::addColumn<QVariant>("asDouble");
        const QVariant absent;
        QTest::newRow("word") << "abc" << absent << absent << absent;
        QTest::newRow("False") << "False" << QVariant(false) << absent << absent;
        QTest::newRow("fraction") << "12.7" << absent << QVariant(12) << QVariant(12.7);
        QTest::newRow("negative fraction") << "-0.5" << absent << QVariant(0) << QVariant(-0.5);
        QTest::newRow("beyond int")
            << "1e12" << absent << QVariant(std::numeric_limits<int>::max()) << QVariant(1e12);
        QTest::newRow("not a number") << "nan" << absent << absent << absent;
        QTest::newRow("infinity") << "inf" << absent << absent << absent;
        QTest::newRow("empty") << "" << absent << absent << absent;
    }

    // A hand-edited or foreign value: a typed read takes it only when its text reads as that type.
    void textReadsAsItsType()
    {
        QFETCH(QString, text);
        const auto variant = [](auto value) { return value ? QVariant(*value) : QVariant(); };
        m_store->setString("key", text);
        for (int reopen = 0; reopen < 2; ++reopen) {
            QTEST(variant(m_store->boolValue("key")), "asBool");
            QTEST(variant(m_store->intValue("key")), "asInt");
            QTEST(variant(m_store->doubleValue("key")), "asDouble");
            QCOMPARE(m_store->stringValue("key"), text);
            m_store = std::make_unique<PreferencesStore>(path());
        }
    }

    // A list written by another program is no single value.
    void listsAndAbsentKeysReadAsAbsent()
    {
        QSettings(path(), QSettings::IniFormat).setValue("list", QStringList{"a", "b"});
        m_store = std::make_unique<PreferencesStore>(path());
        for (const QString key : {"list", "missing"}) {
            QVERIFY(!m_store->intValue(key) && !m_store->stringValue(key));
            QCOMPARE(m_store->contains(key), key == "list");
        }
    }

private:
    QString path() const { return m_dir.filePath("prefs.conf"); }

    QTemporaryDir m_dir;
    std::unique_ptr<PreferencesStore> m_store;
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
