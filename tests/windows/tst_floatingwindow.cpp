#include "../views/ViewTestSupport.h"
#include "editor/PasteInputTextView.h"
#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/Pasteboard.h"
#include "platform/ScreenCoordinates.h"
#include "platform/WindowSystem.h"
#include "views/CardListViewController.h"
#include "windows/FloatingPanel.h"
#include "windows/FloatingWindowController.h"
#include "windows/MainPanelViewController.h"
#include "windows/PeekBarContentView.h"
#include "windows/PeekBarController.h"
#include "windows/PeekBarPanel.h"

#include <QtTest>

using WindowId = WindowSystem::WindowId;

// Stands in for the window manager: which window is active and which get activated.
class FakeWindowSystem : public WindowSystem
{
public:
    std::optional<WindowId> active;
    QList<WindowId> own, gone, activated;

    std::optional<WindowId> activeWindow() override { return active; }
    bool isOwnWindow(WindowId window) override { return own.contains(window); }
    bool windowExists(WindowId window) override { return !gone.contains(window); }
    bool activateWindow(WindowId window) override { return activated.append(window), true; }
    void keepOnAllDesktops(QWindow *, bool) override {}
};

class TestFloatingWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ViewTest::resetUserData();
        m_windows = FakeWindowSystem();
        m_cards = std::make_unique<CardStore>();
        m_memos = std::make_unique<MemoStore>();
        m_controller = std::make_unique<FloatingWindowController>(*m_cards, *m_memos, m_windows);
    }

    void cleanup() { m_controller.reset(); }

    void showBuildsOnceAndRemembersOnlyForeignWindows()
    {
        m_windows.own = {7};
        m_windows.active = 7;
        QSignalSpy visibility(m_controller.get(), &FloatingWindowController::visibilityChanged);
        m_controller->showPanel(true);
        QVERIFY(m_controller->isVisible() && panel()->isVisible());
        QCOMPARE(m_controller->appToReturnTo(), std::nullopt);

        FloatingPanel *first = panel();
        m_windows.active = 42;
        m_controller->bringForwardOrShow();
        QCOMPARE(panel(), first);
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowId>(42));
        m_windows.active = 43;
        m_controller->showPanel(false); // keeps what was remembered
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowId>(42));
        QCOMPARE(visibility.count(), 1);
    }

    // Closing collapses: the whole text into the memo, the frame stored; a bar click shows it.
    void closeCollapsesAndBarClickShows()
    {
        m_controller->showPanel(false);
        FloatingPanel *shown = panel();
        editor()->loadText(QStringLiteral("a\n    b\nc\n"));
        editor()->foldLine(0);
        const QRectF frame = ScreenCoordinates::fromQt(QRectF(shown->geometry()));
        QVERIFY(!shown->close());

        QVERIFY(!m_controller->isVisible() && !shown->isVisible());
        PeekBarPanel *bar = m_controller->peekBar()->panel();
        QVERIFY(bar && bar->isVisible());
        QCOMPARE(m_memos->memo(m_memos->activeMemoID.value())->text, QStringLiteral("a\n    b\nc"));
        shown->move(shown->pos() + QPoint(30, 0)); // a hidden panel moves and snaps in vain
        m_controller->snapPanel(PanelScreenCorner::topLeft);
        QCoreApplication::processEvents();
        QCOMPARE(AppSettings::savedWindowFrame(), frame);

        m_windows.active = 77;
        QTest::mouseClick(bar->contentView(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(m_controller->isVisible() && shown->isVisible() && !bar->isVisible());
        QCOMPARE(panel(), shown);
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowId>(77));
    }

    void afterConfirm_data()
    {
        QTest::addColumn<AfterConfirmBehavior>("behavior");
        QTest::addColumn<bool>("previousClosed");
        QTest::addColumn<bool>("staysVisible");
        QTest::addColumn<bool>("activatesPrevious");
        using B = AfterConfirmBehavior;
        QTest::newRow("stayOpen") << B::stayOpen << false << true << false;
        QTest::newRow("collapseOnly") << B::collapseOnly << false << false << false;
        QTest::newRow("returnAndCollapse") << B::returnAndCollapse << false << false << true;
        QTest::newRow("to a closed window") << B::returnAndCollapse << true << false << false;
    }

    // Confirm: clipboard, card, memo once; then the panel stays, collapses, or hands focus back.
    void afterConfirm()
    {
        QFETCH(AfterConfirmBehavior, behavior);
        QFETCH(bool, previousClosed);
        QFETCH(bool, staysVisible);
        QFETCH(bool, activatesPrevious);
        AppSettings::afterConfirmBehavior.set(behavior);
        m_windows.active = 99;
        m_controller->showPanel(true);
        if (previousClosed)
            m_windows.gone = {99};
        editor()->loadText(QStringLiteral("\n  sent \n"));
        // Collapsing from inside the panel's key monitor: the editor must not see the press.
        QVERIFY(QTest::qWaitForWindowActive(panel()));
        QTest::keyClick(editor()->textView(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Pasteboard::string(), QStringLiteral("sent"));
        QCOMPARE(m_cards->cards.value(0).text, QStringLiteral("sent"));
        QCOMPARE(m_memos->memos.size(), 1);
        QCOMPARE(m_memos->memos.front().text, QStringLiteral("\n  sent \n"));
        QCOMPARE(m_controller->isVisible(), staysVisible);
        QCOMPARE(panel()->isVisible(), staysVisible);
        // The previous window comes forward one event-loop turn later, after the collapse.
        QVERIFY(m_windows.activated.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(m_windows.activated, activatesPrevious ? QList<WindowId>{99} : QList<WindowId>{});
        // Shown again, the panel watches its keys anew; nothing is remembered any more.
        m_controller->showPanel(false);
        QVERIFY(QTest::qWaitForWindowActive(panel()));
        QTest::keyClick(m_controller->mainPanelViewController()->cardListViewController(),
                        Qt::Key_Return, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(m_cards->cards.size(), 2);
        QCOMPARE(m_windows.activated.size(), activatesPrevious ? 1 : 0);
    }

    // Regression: the first show's placement was stored, so starts ignored the mouse's screen.
    void firstShowStoresNoFrame()
    {
        m_controller->snapPanel(PanelScreenCorner::topLeft); // hidden: nothing to move or store
        m_controller->collapseToPeekBar();
        QVERIFY(!panel());
        m_controller->showPanel(false);
        QCoreApplication::processEvents();
        QVERIFY(!AppSettings::windowOriginSaved());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((panel()->geometry().center() - screen.center()).manhattanLength() <= 1);
        panel()->setGeometry(panel()->geometry().adjusted(10, 0, 30, 0));
        QCoreApplication::processEvents();
        QCOMPARE(AppSettings::savedWindowFrame(),
                 ScreenCoordinates::fromQt(QRectF(panel()->geometry())));

        m_controller->collapseToPeekBar();
        AppSettings::saveWindowFrame(QRectF(5000, 5000, 720, 400)); // on a screen since unplugged
        m_controller->showPanel(false);
        QVERIFY(screen.contains(panel()->geometry()));
    }

    // The dimming the panel applies while Zorv is not the active application.
    void effectiveOpacity()
    {
        AppSettings::windowOpacity.set(0.8);
        AppSettings::inactiveOpacityPercent.set(50);
        QCOMPARE(FloatingWindowController::effectiveWindowOpacity(false), 0.4);
        QCOMPARE(FloatingWindowController::effectiveWindowOpacity(true), 0.8);
        AppSettings::dimWhenInactive.set(false);
        QCOMPARE(FloatingWindowController::effectiveWindowOpacity(false), 0.8);
    }

private:
    FloatingPanel *panel() const { return m_controller->panel(); }
    PasteInputViewController *editor() const
    {
        return m_controller->mainPanelViewController()->inputViewController();
    }

    std::unique_ptr<CardStore> m_cards;
    std::unique_ptr<MemoStore> m_memos;
    FakeWindowSystem m_windows;
    std::unique_ptr<FloatingWindowController> m_controller;
};

QTEST_MAIN(TestFloatingWindow)
#include "tst_floatingwindow.moc"
