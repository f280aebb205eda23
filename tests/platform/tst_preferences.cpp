#include "platform/Pasteboard.h"
#include "platform/PreferencesStore.h"
#include "platform/ScreenCoordinates.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        m_store.reset();
        QFile::remove(path());
        m_store = std::make_unique<PreferencesStore>(path());
    }

    void valuesReadBackWithTheirType_data()
    {
        QTest::addColumn<bool>("reopen");
        QTest::newRow("same process") << false;
        QTest::newRow("after restart") << true;
    }

    // What Zorv writes reads back as written, whether still in memory or read again from disk.
    void valuesReadBackWithTheirType()
    {
        QFETCH(bool, reopen);
        m_store->setBool("on", true);
        m_store->setBool("off", false);
        m_store->setInt("count", -42);
        m_store->setDouble("fraction", 0.8);
        m_store->setDouble("tiny", 1e-7);
        m_store->setString("at", "@Variant(junk)");
        m_store->setString("comma", "a, b");
        m_store->setString("japanese", QStringLiteral("たたむ"));
        m_store->setString("empty", "");
        m_store->setString("escapes", QStringLiteral(" a\"b\\c;d\ne\tあf "));
        if (reopen)
            m_store = std::make_unique<PreferencesStore>(path());

        QCOMPARE(m_store->boolValue("on"), true);
        QCOMPARE(m_store->boolValue("off"), false);
        QCOMPARE(m_store->intValue("count"), -42);
        QCOMPARE(m_store->doubleValue("fraction"), 0.8);
        QCOMPARE(m_store->doubleValue("tiny"), 1e-7);
        QCOMPARE(m_store->stringValue("at"), QString("@Variant(junk)"));
        QCOMPARE(m_store->stringValue("comma"), QString("a, b"));
        QCOMPARE(m_store->stringValue("japanese"), QStringLiteral("たたむ"));
        QCOMPARE(m_store->stringValue("empty"), QString(""));
        QCOMPARE(m_store->stringValue("escapes"), QStringLiteral(" a\"b\\c;d\ne\tあf "));
    }

    void textReadsAsItsType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("asBool");
        QTest::addColumn<QVariant>("asInt");
        QTest::addColumn<QVariant>("asDouble");
        const QVariant absent;
        QTest::newRow("word") << "abc" << absent << absent << absent;
        QTest::newRow("true") << "true" << QVariant(true) << absent << absent;
        QTest::newRow("False") << "False" << QVariant(false) << absent << absent;
        QTest::newRow("integer") << "12" << absent << QVariant(12) << QVariant(12.0);
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
        for (bool reopen : {false, true}) {
            m_store->setString("key", text);
            if (reopen)
                m_store = std::make_unique<PreferencesStore>(path());
            QTEST(variant(m_store->boolValue("key")), "asBool");
            QTEST(variant(m_store->intValue("key")), "asInt");
            QTEST(variant(m_store->doubleValue("key")), "asDouble");
            QCOMPARE(m_store->stringValue("key"), text);
        }
    }

    void listsAndAbsentKeysReadAsAbsent()
    {
        {
            QSettings other(path(), QSettings::IniFormat);
            other.setValue("list", QStringList{"a", "b"});
        }
        m_store = std::make_unique<PreferencesStore>(path());
        for (const QString key : {"list", "missing"}) {
            QVERIFY(!m_store->boolValue(key));
            QVERIFY(!m_store->intValue(key));
            QVERIFY(!m_store->doubleValue(key));
            QVERIFY(!m_store->stringValue(key));
        }
        QVERIFY(m_store->contains("list"));
        QVERIFY(!m_store->contains("missing"));
    }

    void pasteboardHoldsOnePlainString()
    {
        auto *rich = new QMimeData;
        rich->setHtml("<b>old</b>");
        rich->setText("old");
        QGuiApplication::clipboard()->setMimeData(rich, QClipboard::Clipboard);

        Pasteboard::setString(QStringLiteral("新しい text\n2行目"));
        const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        QVERIFY(data);
        QVERIFY(!data->hasHtml());
        QCOMPARE(Pasteboard::string(), QStringLiteral("新しい text\n2行目"));

        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QVERIFY(Pasteboard::string().isNull());
    }

    void coordinatesFlipAtPrimaryBottom_data()
    {
        QTest::addColumn<QRectF>("zorv");
        QTest::addColumn<qreal>("height");
        QTest::addColumn<QRectF>("qt");
        QTest::newRow("bottom left corner")
            << QRectF(0, 0, 720, 400) << 1080.0 << QRectF(0, 680, 720, 400);
        QTest::newRow("top of screen")
            << QRectF(100, 1055, 300, 25) << 1080.0 << QRectF(100, 0, 300, 25);
        QTest::newRow("screen above primary")
            << QRectF(0, 1080, 1920, 1200) << 1080.0 << QRectF(0, -1200, 1920, 1200);
    }

    void coordinatesFlipAtPrimaryBottom()
    {
        QFETCH(QRectF, zorv);
        QFETCH(qreal, height);
        QFETCH(QRectF, qt);
        QCOMPARE(ScreenCoordinates::toQt(zorv, height), qt);
        QCOMPARE(ScreenCoordinates::fromQt(qt, height), zorv);
        QCOMPARE(ScreenCoordinates::toQt(zorv.topLeft(), height),
                 QPointF(zorv.x(), height - zorv.y()));
    }

    void screensAreInZorvCoordinates()
    {
        const QList<ScreenGeometry> screens = ScreenCoordinates::screens();
        QVERIFY(!screens.isEmpty());
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(screens.first().frame, QRectF(primary.x(), 0, primary.width(), primary.height()));
        QCOMPARE(ScreenCoordinates::toQt(screens.first().frame), QRectF(primary));
    }

private:
    QString path() const { return m_dir.filePath("prefs.conf"); }

    QTemporaryDir m_dir;
    std::unique_ptr<PreferencesStore> m_store;
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
