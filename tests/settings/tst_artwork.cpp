#include <QImage>
#include <QTest>

// A missing or broken shipped image would only show as a blank icon.
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
