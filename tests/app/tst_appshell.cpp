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
#include <QDir>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>

using Command = AppKeyDecision::Command;
using Request = CommandLine::Request;

namespace {

void startWithoutHotkeys(AppDelegate &delegate, Request request)
{
    delegate.applicationDidFinishLaunching(std::make_unique<NullHotkeyBackend>(), request);
}

// Every menu entry titled "終了": the tray's and the application menu's.
QList<QAction *> quitEntries()
{
    QList<QAction *> entries;
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *menu = qobject_cast<QMenu *>(widget)) {
            for (QAction *action : menu->actions()) {
                if (action->text() == QStringLiteral("終了"))
                    entries.append(action);
            }
        }
    }
    return entries;
}

} // namespace

class TestAppShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv("XDG_CURRENT_DESKTOP"); // so the user's GNOME shortcuts are never read
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Zorv")
            .removeRecursively();
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

    // The panel shows by itself only after a plain start, and only once the start has
    // finished; a background start shows the bar alone where no tray would show the icon,
    // and --settings shows the settings window alone.
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
        startWithoutHotkeys(delegate, Request(request));
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

    // The history of the last run is read before anything shows, and every way to quit saves
    // what the session holds before the event loop ends. Runs last: a quit ends every later
    // event loop of this process.
    void everyQuitSavesTheHistory()
    {
        CardStore lastRun;
        lastRun.add(QStringLiteral("from the last run"));
        QVERIFY(lastRun.save());

        AppDelegate delegate;
        QCOMPARE(delegate.cardStore.cards.value(0).text, QStringLiteral("from the last run"));
        startWithoutHotkeys(delegate, Request::background);
        const QList<QAction *> menus = quitEntries();
        QCOMPARE(menus.size(), 2);
        // The tray's and the application menu's entries, then the key.
        QList<std::pair<QString, std::function<void()>>> quits;
        for (QAction *entry : menus)
            quits.append({QStringLiteral("menu entry %1").arg(quits.size() + 1),
                          [entry] { entry->trigger(); }});
        quits.append({QStringLiteral("Ctrl+Q"), [&delegate] {
                          QTest::keyClick(delegate.windowController()->panel(), Qt::Key_Q,
                                          Qt::ControlModifier);
                      }});
        for (const auto &[name, quit] : quits) {
            // A change that no save has written yet.
            delegate.cardStore.cards.first().text = name;
            quit();
            const std::optional<HistorySnapshot> saved = loadHistory();
            QVERIFY2(saved && saved->cards.value(0).text == name, qPrintable(name));
        }
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
