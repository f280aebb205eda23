#include "app/AppKeyMonitor.h"
#include "app/AppMenuActions.h"
#include "app/StatusBarController.h"
#include "windows/FloatingWindowController.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

using Command = AppKeyDecision::Command;

class TestAppShell : public QObject
{
    Q_OBJECT

private slots:
    void appKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("panelVisible");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("corner");
        const int ctrl = Qt::ControlModifier;
        const int super = Qt::MetaModifier;
        const int alt = Qt::AltModifier;
        const int shift = Qt::ShiftModifier;
        const int none = -1;
        QTest::newRow("ctrl+q quits")
            << int(Qt::Key_Q) << ctrl << true << int(Command::quit) << none;
        QTest::newRow("ctrl+shift+q quits too")
            << int(Qt::Key_Q) << (ctrl | shift) << false << int(Command::quit) << none;
        QTest::newRow("super+q is not quit")
            << int(Qt::Key_Q) << super << true << int(Command::letThrough) << none;
        QTest::newRow("ctrl+w collapses a shown panel")
            << int(Qt::Key_W) << ctrl << true << int(Command::collapse) << none;
        QTest::newRow("ctrl+w with the panel hidden goes on")
            << int(Qt::Key_W) << ctrl << false << int(Command::letThrough) << none;
        QTest::newRow("super+1 top left") << int(Qt::Key_1) << super << true << int(Command::snap)
                                          << int(PanelScreenCorner::topLeft);
        QTest::newRow("super+5 maps to no corner")
            << int(Qt::Key_5) << super << true << int(Command::letThrough) << none;
        QTest::newRow("super+alt+1 has option")
            << int(Qt::Key_1) << (super | alt) << true << int(Command::letThrough) << none;
        QTest::newRow("super+ctrl+1 has command")
            << int(Qt::Key_1) << (super | ctrl) << true << int(Command::letThrough) << none;
        QTest::newRow("super+1 with the panel hidden")
            << int(Qt::Key_1) << super << false << int(Command::letThrough) << none;
    }

    void appKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, panelVisible);
        QFETCH(int, command);
        QFETCH(int, corner);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        QString characters = QString(QChar(key)).toLower();
        const AppKeyDecision decision = decideAppKey(key, mods, characters, true, panelVisible);
        QCOMPARE(int(decision.command), command);
        QCOMPARE(decision.corner ? int(*decision.corner) : -1, corner);
        // Without a window controller only quitting remains.
        const AppKeyDecision alone = decideAppKey(key, mods, characters, false, panelVisible);
        QCOMPARE(alone.command == Command::quit, command == int(Command::quit));
    }

    // The menus' shortcuts are the keys the user has; the snap items carry their digit.
    void mainMenuShortcuts()
    {
        AppMenuActions actions(nullptr, {});
        actions.installMainMenu({});
        const QList<QAction *> menus = actions.mainMenu()->actions();
        QCOMPARE(menus.size(), 3);
        QStringList shortcuts;
        for (const QAction *menu : menus) {
            for (const QAction *item : menu->menu()->actions())
                shortcuts << item->shortcut().toString(QKeySequence::PortableText);
        }
        QCOMPARE(shortcuts, QStringList({"Ctrl+,", "", "", "Ctrl+Q", "Ctrl+Z", "Ctrl+Shift+Z", "",
                                         "Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+A", "", "", "Meta+1",
                                         "Meta+0", "Meta+2", "Meta+9"}));
        const QList<QAction *> windowItems = menus[2]->menu()->actions();
        QCOMPARE(windowItems[2]->data().toInt(), 1);
        QCOMPARE(windowItems[5]->data().toInt(), 9);
        // A snap without a window controller does nothing.
        actions.snapToCorner(windowItems[5]);
    }

    void statusMenuRunsItsClosures()
    {
        int settingsOpened = 0;
        int quits = 0;
        StatusBarController status(
            nullptr, [&] { ++settingsOpened; }, [&] { ++quits; });
        const QList<QAction *> items = status.menu()->actions();
        QCOMPARE(items.size(), 4);
        items[0]->trigger(); // without a window controller: nothing
        items[1]->trigger();
        items[3]->trigger();
        QCOMPARE(settingsOpened, 1);
        QCOMPARE(quits, 1);
    }

    void statusItemImageSize()
    {
        const QImage image = StatusBarController::statusItemImage(1);
        QCOMPARE(image.height(), 16);
        QVERIFY(image.width() > 17);
        // A template: every pixel is black with some alpha.
        bool anyInk = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() == 0)
                    continue;
                anyInk = true;
                QCOMPARE(pixel.red() + pixel.green() + pixel.blue(), 0);
            }
        }
        QVERIFY(anyInk);
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
