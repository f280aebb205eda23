#include "windows/PanelScreenCorner.h"
#include "windows/WindowFrames.h"

#include <QTest>

using namespace WindowFrames;

namespace {

ScreenGeometry screen(QRectF frame, QRectF visible)
{
    return ScreenGeometry{frame, visible};
}

// A wide main screen with a 25-point menu bar, and a smaller one to its right.
const ScreenGeometry wide = screen({0, 0, 1920, 1080}, {0, 0, 1920, 1055});
const ScreenGeometry right = screen({1920, 0, 1280, 800}, {1920, 0, 1280, 775});
const ScreenGeometry small = screen({0, 0, 800, 600}, {0, 0, 800, 575});

} // namespace

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

    // Screens: "2" the wide and the right one, "s" the small one, "0" none; "r" names the right
    // screen as the preferred or the main one.
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
        row("centred on main", false, centre, "2", "--", {600, 327.5, 720, 400});
        row("centred on preferred", false, centre, "2", "r-", {2200, 187.5, 720, 400});
        row("centred on given main", false, centre, "2", "-r", {2200, 187.5, 720, 400});
        row("size clamped, not reduced", false, {0, 0, 100, 2000}, "s", "--",
            {120, -162.5, 560, 900});
        row("no screens", false, {5, 6, 100, 100}, "0", "--", {5, 6, 560, 320});
        row("inside its screen", true, {2000, 100, 720, 400}, "2", "--", {2000, 100, 720, 400});
        row("off-screen to preferred", true, away, "2", "r-", {2472, 367, 720, 400});
        row("off-screen to main", true, away, "2", "--", {1192, 647, 720, 400});
        row("screen of the centre wins over preferred", true, {100, 100, 720, 400}, "2", "r-",
            {100, 100, 720, 400});
        row("centre on shared edge belongs to right screen", true, {1560, 100, 720, 400}, "2", "--",
            {1928, 100, 720, 400});
        row("too big for screen", true, {0, 0, 1200, 900}, "s", "--", {8, 8, 768, 543});
        row("past bottom left", true, {-300, -100, 720, 400}, "2", "--", {8, 8, 720, 400});
        row("saved, no screens", true, {-300, 7, 2000, 100}, "0", "--", {-300, 7, 1200, 320});
    }

    void fittedFrame()
    {
        QFETCH(bool, originSaved);
        QFETCH(QRectF, proposed);
        QFETCH(QString, screens);
        QFETCH(QString, preferredAndMain);
        const QList<ScreenGeometry> list = screens == "2"   ? QList{wide, right}
                                           : screens == "s" ? QList{small}
                                                            : QList<ScreenGeometry>{};
        const auto named = [](QChar c) { return c == 'r' ? std::optional(right) : std::nullopt; };
        QTEST(fittedWindowFrame(proposed, originSaved, list, named(preferredAndMain[0]),
                                named(preferredAndMain[1])),
              "expected");
    }
};

QTEST_GUILESS_MAIN(TestWindowFrames)
#include "tst_windowframes.moc"
