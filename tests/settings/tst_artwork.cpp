#include <QImage>
#include <QTest>

// The shipped images are looked up by name at run time; a missing or broken one only shows as
// a blank icon. They live in zorvcore, a static library, so they are registered explicitly.
class TestArtwork : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void imageDecodesAtItsSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("rabbit") << ":/images/ZorvRabbit.png" << QSize(256, 256);
        QTest::newRow("dock icon, smallest") << ":/images/ZorvDockIcon/16.png" << QSize(16, 16);
        QTest::newRow("dock icon, largest") << ":/images/ZorvDockIcon/128.png" << QSize(128, 128);
        QTest::newRow("app icon") << ":/images/AppIcon.png" << QSize(256, 256);
    }
    void imageDecodesAtItsSize()
    {
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY2(!image.isNull() && image.hasAlphaChannel(), qPrintable(path));
        QTEST(image.size(), "size");
    }
};

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
