#include "app/AppDelegate.h"
#include "app/AppKeyMonitor.h"
#include "app/KeyNameTranslator.h"
#include "model/HistoryFile.h"
#include "platform/NullHotkeyBackend.h"
#include "platform/TrayHost.h"
#include "settings/SettingsWindowController.h"
#include "windows/FloatingPanel.h"
#include "windows/FloatingWindowController.h"
#include "windows/PeekBarController.h"
#include "windows/PeekBarPanel.h"
#include "windows/TitleBandNotice.h"

#include <QApplication>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>

using Command = AppKeyDecision::Command;
using Request = CommandLine::Request;

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
        const auto row = [](const char *name, int key, int modifiers, bool panelVisible,
                            Command command, int corner = -1) {
            QTest::newRow(name) << key << modifiers << panelVisible << int(command) << corner;
        };
        const int ctrl = Qt::ControlModifier, super = Qt::MetaModifier, alt = Qt::AltModifier;
        row("ctrl+q quits", Qt::Key_Q, ctrl, true, Command::quit);
        row("ctrl+shift+q quits too", Qt::Key_Q, ctrl | Qt::ShiftModifier, false, Command::quit);
        row("super+q is not quit", Qt::Key_Q, super, true, Command::letThrough);
        row("ctrl+w collapses a shown panel", Qt::Key_W, ctrl, true, Command::collapse);
        row("ctrl+w with the panel hidden goes on", Qt::Key_W, ctrl, false, Command::letThrough);
        row("super+1 top left", Qt::Key_1, super, true, Command::snap,
            int(PanelScreenCorner::topLeft));
        row("super+5 maps to no corner", Qt::Key_5, super, true, Command::letThrough);
        row("super+alt+1", Qt::Key_1, super | alt, true, Command::letThrough);
        row("super+ctrl+1", Qt::Key_1, super | ctrl, true, Command::letThrough);
        row("super+1 with the panel hidden", Qt::Key_1, super, false, Command::letThrough);
    }

    void appKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, panelVisible);
        QFETCH(int, command);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        const QString characters = QString(QChar(key)).toLower();
        const AppKeyDecision decision = decideAppKey(key, mods, characters, true, panelVisible);
        QCOMPARE(int(decision.command), command);
        QTEST(decision.corner ? int(*decision.corner) : -1, "corner");
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

    // The panel shows after a plain start has finished; --background shows the bar where no tray
    // is, --settings the settings window alone.
    void startRequestDecidesTheFirstShow_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<bool>("panel");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("settings");
        const bool noTray = !trayHostPresent();
        QTest::newRow("start") << int(Request::start) << true << false << false;
        QTest::newRow("background") << int(Request::background) << false << noTray << false;
        QTest::newRow("settings") << int(Request::settings) << false << false << true;
    }

    void startRequestDecidesTheFirstShow()
    {
        QFETCH(int, request);
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching(std::make_unique<NullHotkeyBackend>(),
                                               Request(request));
        FloatingWindowController *window = delegate.windowController();
        QVERIFY(!window->isVisible());
        QTest::qWait(400);
        QTEST(window->isVisible(), "panel");
        const PeekBarPanel *bar = window->peekBar() ? window->peekBar()->panel() : nullptr;
        QTEST(bar && bar->isVisible(), "bar");
        QWidget *settings = SettingsWindowController::shared().window();
        QTEST(settings && settings->isVisible(), "settings");
        if (settings)
            settings->hide();
    }

    // The last run's history is read first; every quit saves before the loop ends. Runs last.
    void everyQuitSavesTheHistory()
    {
        CardStore lastRun;
        lastRun.add(QStringLiteral("from the last run"));
        QVERIFY(lastRun.save());

        AppDelegate delegate;
        QCOMPARE(delegate.cardStore.cards.value(0).text, QStringLiteral("from the last run"));
        delegate.applicationDidFinishLaunching(std::make_unique<NullHotkeyBackend>(),
                                               Request::background);
        // The tray's and the application menu's "終了", then the key.
        QList<std::function<void()>> quits;
        for (QWidget *widget : QApplication::allWidgets()) {
            for (QAction *action :
                 qobject_cast<QMenu *>(widget) ? widget->actions() : QList<QAction *>()) {
                if (action->text() == QStringLiteral("終了"))
                    quits << [action] { action->trigger(); };
            }
        }
        quits << [&delegate] {
            QTest::keyClick(delegate.windowController()->panel(), Qt::Key_Q, Qt::ControlModifier);
        };
        QCOMPARE(quits.size(), 3);
        for (int i = 0; i < quits.size(); ++i) {
            delegate.cardStore.cards.first().text = QString::number(i); // not yet saved
            quits.at(i)();
            QCOMPARE(loadHistory().value_or(HistorySnapshot()).cards.value(0).text,
                     QString::number(i));
        }
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
