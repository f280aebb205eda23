#include "../views/ViewTestSupport.h"
#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/ScreenCoordinates.h"
#include "platform/WindowSystem.h"
#include "windows/FloatingPanel.h"
#include "windows/FloatingWindowController.h"
#include "windows/MainPanelViewController.h"
#include "windows/PeekBarContentView.h"
#include "windows/PeekBarController.h"
#include "windows/PeekBarPanel.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// Stands in for the window manager: which window is active and which get activated.
class FakeWindowSystem : public WindowSystem
{
public:
    std::optional<WindowId> active;
    QList<WindowId> own;
    QList<WindowId> gone;
    QList<WindowId> activated;

    std::optional<WindowId> activeWindow() override { return active; }
    bool isOwnWindow(WindowId window) override { return own.contains(window); }
    bool windowExists(WindowId window) override { return !gone.contains(window); }
    bool activateWindow(WindowId window) override
    {
        activated.append(window);
        return true;
    }
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

    void cleanup()
    {
        m_controller.reset();
        m_memos.reset();
        m_cards.reset();
    }

    void showBuildsOnceAndRemembersOnlyForeignWindows()
    {
        QSignalSpy visibility(m_controller.get(), &FloatingWindowController::visibilityChanged);
        m_windows.own = {7};
        m_windows.active = 7;
        m_controller->showPanel(true);
        QVERIFY(m_controller->isVisible());
        QVERIFY(m_controller->panel()->isVisible());
        QCOMPARE(m_controller->appToReturnTo(), std::nullopt);
        QCOMPARE(visibility.count(), 1);

        FloatingPanel *panel = m_controller->panel();
        m_windows.active = 42;
        m_controller->bringForwardOrShow();
        QCOMPARE(m_controller->panel(), panel);
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowSystem::WindowId>(42));
        // Showing without remembering keeps what was remembered.
        m_windows.active = 43;
        m_controller->showPanel(false);
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowSystem::WindowId>(42));
    }

    void collapseHidesPanelShowsBarAndMergesText()
    {
        m_controller->showPanel(false);
        m_controller->mainPanelViewController()->inputViewController()->loadText(
            QStringLiteral("draft\n"));
        const QRectF frame = ScreenCoordinates::fromQt(QRectF(m_controller->panel()->geometry()));
        m_controller->collapseToPeekBar();

        QVERIFY(!m_controller->isVisible());
        QVERIFY(!m_controller->panel()->isVisible());
        PeekBarPanel *bar = m_controller->peekBar()->panel();
        QVERIFY(bar && bar->isVisible());
        QCOMPARE(AppSettings::savedWindowFrame(), frame);
        QVERIFY(m_memos->activeMemoID.has_value());
        QCOMPARE(m_memos->memo(*m_memos->activeMemoID)->text, QStringLiteral("draft"));

        m_controller->showPanel(false);
        QVERIFY(!bar->isVisible());
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
        QTest::newRow("return to a closed window")
            << B::returnAndCollapse << true << false << false;
    }

    void afterConfirm()
    {
        QFETCH(AfterConfirmBehavior, behavior);
        QFETCH(bool, previousClosed);
        QFETCH(bool, staysVisible);
        QFETCH(bool, activatesPrevious);
        AppSettings::setAfterConfirmBehavior(behavior);
        m_windows.active = 99;
        m_controller->showPanel(true);
        if (previousClosed)
            m_windows.gone = {99};
        m_controller->handleAfterConfirm();
        QCOMPARE(m_controller->isVisible(), staysVisible);
        QCOMPARE(m_controller->appToReturnTo(), std::nullopt);
        // The previous window comes forward one event-loop turn later, not at once.
        QVERIFY(m_windows.activated.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(m_windows.activated, activatesPrevious ? QList<WindowSystem::WindowId>{99}
                                                        : QList<WindowSystem::WindowId>{});
        // Nothing is remembered any more: a second confirm activates nothing.
        if (!staysVisible)
            m_controller->showPanel(false);
        m_controller->handleAfterConfirm();
        QCoreApplication::processEvents();
        QCOMPARE(m_windows.activated.size(), activatesPrevious ? 1 : 0);
    }

    void snapAndCollapseDoNothingWhileHidden()
    {
        m_controller->snapPanel(PanelScreenCorner::topLeft);
        m_controller->collapseToPeekBar();
        QVERIFY(!m_controller->panel());
        QVERIFY(!AppSettings::windowOriginSaved());
        m_controller->showPanel(false);
        m_controller->collapseToPeekBar();
        AppSettings::saveWindowFrame(QRectF(1, 2, 720, 400));
        m_controller->snapPanel(PanelScreenCorner::topLeft);
        QCOMPARE(AppSettings::savedWindowFrame(), QRectF(1, 2, 720, 400));
    }

    void closeButtonCollapsesAndPanelSurvives()
    {
        m_controller->showPanel(false);
        FloatingPanel *panel = m_controller->panel();
        QVERIFY(!panel->close());
        QVERIFY(!m_controller->isVisible());
        QCOMPARE(m_controller->panel(), panel);
        QVERIFY(m_controller->peekBar()->panel()->isVisible());
    }

    // Regression: the first show's own resize stored the frame, so later starts opened on the
    // old screen instead of under the mouse.
    void firstShowStoresNoFrame()
    {
        m_controller->showPanel(false);
        QCoreApplication::processEvents();
        QVERIFY(!AppSettings::windowOriginSaved());
        m_controller->panel()->resize(m_controller->panel()->size() + QSize(20, 0));
        QCoreApplication::processEvents();
        QCOMPARE(AppSettings::savedWindowFrame().width(), 740);
    }

    void moveStoredOnlyWhileVisible()
    {
        m_controller->showPanel(false);
        m_controller->panel()->move(m_controller->panel()->pos() + QPoint(10, 0));
        QCoreApplication::processEvents();
        QCOMPARE(AppSettings::savedWindowFrame(),
                 ScreenCoordinates::fromQt(QRectF(m_controller->panel()->geometry())));
        m_controller->collapseToPeekBar();
        const QRectF collapsedFrame = AppSettings::savedWindowFrame();
        m_controller->panel()->move(m_controller->panel()->pos() + QPoint(30, 0));
        QCoreApplication::processEvents();
        QCOMPARE(AppSettings::savedWindowFrame(), collapsedFrame);
    }

    void barClickRemembersAndShows()
    {
        m_controller->showPanel(false);
        m_controller->collapseToPeekBar();
        m_windows.active = 77;
        PeekBarContentView *content = m_controller->peekBar()->panel()->contentView();
        QTest::mouseClick(content, Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(m_controller->isVisible());
        QVERIFY(!m_controller->peekBar()->panel()->isVisible());
        QCOMPARE(m_controller->appToReturnTo(), std::optional<WindowSystem::WindowId>(77));
    }

private:
    std::unique_ptr<CardStore> m_cards;
    std::unique_ptr<MemoStore> m_memos;
    FakeWindowSystem m_windows;
    std::unique_ptr<FloatingWindowController> m_controller;
};

QTEST_MAIN(TestFloatingWindow)
#include "tst_floatingwindow.moc"
