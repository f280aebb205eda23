#include "windows/PanelScreenCorner.h"
#include "windows/WindowFrames.h"

#include <QTest>

using namespace WindowFrames;

class TestWindowFrames : public QObject
{
    Q_OBJECT

private slots:
    void cornerFrames_data()
    {
        QTest::addColumn<PanelScreenCorner>("corner");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QRectF>("expected");
        const QSizeF panel(720, 400);
        QTest::newRow("bottom right")
            << PanelScreenCorner::bottomRight << panel << QRectF(704, 41, 720, 400);
        QTest::newRow("bottom left")
            << PanelScreenCorner::bottomLeft << panel << QRectF(16, 41, 720, 400);
        QTest::newRow("top left") << PanelScreenCorner::topLeft << panel
                                  << QRectF(16, 484, 720, 400);
        QTest::newRow("top right")
            << PanelScreenCorner::topRight << panel << QRectF(704, 484, 720, 400);
        // The size is clamped to the panel's range but never reduced to fit the screen.
        QTest::newRow("too small is grown")
            << PanelScreenCorner::bottomLeft << QSizeF(100, 100) << QRectF(16, 41, 560, 320);
        QTest::newRow("too big is shrunk to the maximum only")
            << PanelScreenCorner::topLeft << QSizeF(5000, 5000)
            << QRectF(16, 900 - 900 - 16, 1200, 900);
    }

    void cornerFrames()
    {
        QFETCH(PanelScreenCorner, corner);
        QFETCH(QSizeF, size);
        QTEST(cornerFrame(corner, size, QRectF(0, 25, 1440, 875)), "expected");
    }

    void cornerDigits_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<int>("corner"); // -1: no corner
        // The four digits themselves are pressed through the main panel's test.
        QTest::newRow("9") << "9" << int(PanelScreenCorner::bottomRight);
        QTest::newRow("5 maps to nothing") << "5" << -1;
        QTest::newRow("letter") << "a" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("first character only") << "12" << int(PanelScreenCorner::topLeft);
        QTest::newRow("arabic-indic one is not decimal here") << QString(QChar(0x0661)) << -1;
    }

    void cornerDigits()
    {
        QFETCH(QString, characters);
        const auto result = cornerForCharacters(characters);
        QTEST(result ? int(*result) : -1, "corner");
    }

    void peekBarPlacement_data()
    {
        QTest::addColumn<QRectF>("panel");
        QTest::addColumn<QRectF>("expected");
        const QSizeF bar(80, 30);
        QTest::newRow("centred under the panel")
            << QRectF(100, 100, 720, 400) << QRectF(460 - 40, 100, 80, 30);
        QTest::newRow("bottom below the visible frame")
            << QRectF(100, -300, 720, 400) << QRectF(420, 33, 80, 30);
        QTest::newRow("left of the screen")
            << QRectF(-900, 100, 720, 400) << QRectF(8, 100, 80, 30);
        QTest::newRow("right of the screen")
            << QRectF(1300, 100, 720, 400) << QRectF(1440 - 80 - 8, 100, 80, 30);
        QTest::newRow("no margin at the top")
            << QRectF(100, 2000, 720, 400) << QRectF(420, 900 - 30, 80, 30);
    }

    void peekBarPlacement()
    {
        QFETCH(QRectF, panel);
        QTEST(peekBarFrame(panel, QSizeF(80, 30), QRectF(0, 25, 1440, 875)), "expected");
        // Without any screen the bar is placed unclamped.
        QCOMPARE(peekBarFrame(panel, QSizeF(80, 30), std::nullopt).topLeft(),
                 QPointF(panel.x() + panel.width() / 2 - 40, panel.y()));
    }
};

QTEST_GUILESS_MAIN(TestWindowFrames)
#include "tst_windowframes.moc"
