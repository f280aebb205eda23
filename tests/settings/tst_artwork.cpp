#include <QImage>
#include <QTest>

// The shipped images are looked up by name at run time; a missing or broken one
// only shows as a blank icon, so check that each decodes at its intended size.
class TestArtwork : public QObject
{
    Q_OBJECT
private slots:
    // The images live in zorvcore, a static library: register them explicitly.
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void imageDecodes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        QTest::newRow("rabbit") << ":/images/ZorvRabbit.png" << 256;
        QTest::newRow("dock icon, smallest") << ":/images/ZorvDockIcon/16.png" << 16;
        QTest::newRow("dock icon, largest") << ":/images/ZorvDockIcon/128.png" << 128;
        QTest::newRow("app icon") << ":/images/AppIcon.png" << 256;
    }
    void imageDecodes()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
    }
};

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
