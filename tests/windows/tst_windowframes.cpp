#include "windows/WindowFrames.h"

#include <QTest>

using namespace WindowFrames;

// y grows upward: a wide main screen, a smaller one to its right, a small one alone.
const ScreenGeometry wide{{0, 0, 1920, 1080}, {0, 0, 1920, 1055}};
const ScreenGeometry right{{1920, 0, 1280, 800}, {1920, 0, 1280, 775}};
const ScreenGeometry small{{0, 0, 800, 600}, {0, 0, 800, 575}};
const QRectF visible(0, 25, 1440, 875); // a screen with its bar at the bottom

class TestWindowFrames : public QObject
{
    Q_OBJECT

private slots:
    void cornerFrames_data()
    {
        QTest::addColumn<PanelScreenCorner>("corner");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QRectF>("expected");
        const QSizeF size(720, 400);
        using C = PanelScreenCorner;
        QTest::newRow("bottom right") << C::bottomRight << size << QRectF(704, 41, 720, 400);
        QTest::newRow("bottom left") << C::bottomLeft << size << QRectF(16, 41, 720, 400);
        QTest::newRow("top left") << C::topLeft << size << QRectF(16, 484, 720, 400);
        QTest::newRow("top right") << C::topRight << size << QRectF(704, 484, 720, 400);
        QTest::newRow("clamped, never reduced to fit")
            << C::topLeft << QSizeF(100, 5000) << QRectF(16, -16, 560, 900);
    }

    void cornerFrames()
    {
        QFETCH(PanelScreenCorner, corner);
        QFETCH(QSizeF, size);
        QTEST(cornerFrame(corner, size, visible), "expected");
    }

    // Kept on the screen 8 points from the left, right and bottom, none from the top.
    void peekBarPlacement_data()
    {
        QTest::addColumn<QRectF>("panel");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("below") << QRectF(100, -300, 720, 400) << QRectF(420, 33, 80, 30);
        QTest::newRow("left") << QRectF(-900, 100, 720, 400) << QRectF(8, 100, 80, 30);
        QTest::newRow("right") << QRectF(1300, 100, 720, 400) << QRectF(1352, 100, 80, 30);
        QTest::newRow("above") << QRectF(100, 2000, 720, 400) << QRectF(420, 870, 80, 30);
    }

    void peekBarPlacement()
    {
        QFETCH(QRectF, panel);
        QTEST(peekBarFrame(panel, QSizeF(80, 30), visible), "expected");
        // Without any screen: centred under the panel, unclamped.
        QCOMPARE(peekBarFrame(panel, QSizeF(80, 30), std::nullopt).topLeft(),
                 QPointF(panel.center().x() - 40, panel.y()));
    }

    // screens: "2" wide and right, "s" small, "" none; preferredAndMain: "w" wide, "r" right.
    void fittedFrame_data()
    {
        QTest::addColumn<bool>("originSaved");
        QTest::addColumn<QRectF>("proposed");
        QTest::addColumn<QString>("screens");
        QTest::addColumn<QString>("preferredAndMain");
        QTest::addColumn<QRectF>("expected");
        const auto row = [](const char *name, bool saved, QRectF proposed, const char *screens,
                            const char *preferredAndMain, QRectF expected) {
            QTest::newRow(name) << saved << proposed << QString(screens)
                                << QString(preferredAndMain) << expected;
        };
        const QRectF centre(0, 0, 720, 400), away(5000, 5000, 720, 400);
        row("preferred before main", false, centre, "2", "rw", {2200, 187.5, 720, 400});
        row("main before the first", false, centre, "2", "-r", {2200, 187.5, 720, 400});
        row("clamped, not reduced", false, {0, 0, 100, 2000}, "s", "--", {120, -162.5, 560, 900});
        row("no screens", false, {5, 6, 100, 100}, "", "--", {5, 6, 560, 320});
        row("off-screen to preferred", true, away, "2", "rw", {2472, 367, 720, 400});
        row("off-screen to the first", true, away, "2", "--", {1192, 647, 720, 400});
        row("its centre's screen before preferred", true, {100, 100, 720, 400}, "2", "r-",
            {100, 100, 720, 400});
        row("centre on the shared edge is right's", true, {1560, 100, 720, 400}, "2", "--",
            {1928, 100, 720, 400});
        row("too big for its screen", true, {0, 0, 1200, 900}, "s", "--", {8, 8, 768, 543});
    }

    void fittedFrame()
    {
        QFETCH(bool, originSaved);
        QFETCH(QRectF, proposed);
        QFETCH(QString, screens);
        QFETCH(QString, preferredAndMain);
        const QMap<QChar, std::optional<ScreenGeometry>> named{{'w', wide}, {'r', right}};
        const QList<ScreenGeometry> list = screens == "2"   ? QList{wide, right}
                                           : screens == "s" ? QList{small}
                                                            : QList<ScreenGeometry>();
        QTEST(fittedWindowFrame(proposed, originSaved, list, named.value(preferredAndMain[0]),
                                named.value(preferredAndMain[1])),
              "expected");
    }
};

QTEST_GUILESS_MAIN(TestWindowFrames)
#include "tst_windowframes.moc"
