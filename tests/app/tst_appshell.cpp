#include "app/AppDelegate.h"
#include "app/AppKeyMonitor.h"
#include "app/KeyNameTranslator.h"
#include "platform/NullHotkeyBackend.h"
#include "windows/FloatingPanel.h"
#include "windows/FloatingWindowController.h"
#include "windows/TitleBandNotice.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

using Command = AppKeyDecision::Command;

class TestAppShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv("XDG_CURRENT_DESKTOP"); // so the user's GNOME shortcuts are never read
    }

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

    // Menus wrote the corner keys as "Meta+1", a name no Linux keyboard carries.
    void shortcutsNameTheSuperKey()
    {
        KeyNameTranslator translator;
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(QKeySequence(Qt::META | Qt::Key_1).toString(QKeySequence::NativeText), "Super+1");
        QCOMPARE(QKeySequence(Qt::CTRL | Qt::Key_Q).toString(QKeySequence::NativeText), "Ctrl+Q");
    }

    // Told once in the panel, not at every show.
    void hotkeyNoticeAtTheFirstShow()
    {
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching(std::make_unique<NullHotkeyBackend>());
        FloatingWindowController *window = delegate.windowController();
        const TitleBandNotice *band = window->panel()->notice();
        QTRY_VERIFY(window->isVisible());
        QVERIFY(band->isVisibleTo(window->panel()));
        QCOMPARE(band->text(),
                 "表示ホットキー Super+Return はこの環境では使えません（詳しくは設定で）");
        window->toggleShown();
        window->toggleShown();
        QVERIFY(window->isVisible());
        QVERIFY(!band->isVisibleTo(window->panel()));
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
