#include "../views/ViewTestSupport.h"
#include "editor/PasteInputTextView.h"
#include "editor/PasteInputViewController.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/Pasteboard.h"
#include "views/CardListViewController.h"
#include "views/CardRowView.h"
#include "views/CardSlotView.h"
#include "views/MemoPanelViewController.h"
#include "windows/MainPanelViewController.h"
#include "windows/ZorvBrandMarkView.h"
#include "windows/ZorvLogoView.h"

#include <QAction>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<PanelScreenCorner>)

namespace {

const Qt::KeyboardModifiers command = Qt::ControlModifier;
const Qt::KeyboardModifiers control = Qt::MetaModifier;
const Qt::KeyboardModifiers option = Qt::AltModifier;
const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

} // namespace

class TestMainPanel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ViewTest::resetUserData();
        Pasteboard::setString(QStringLiteral("before"));
        cardStore = std::make_unique<CardStore>();
        memoStore = std::make_unique<MemoStore>();
        memoStore->reload();
        snapped.clear();
        confirmedCount = 0;
        window = std::make_unique<QWidget>();
        window->resize(720, 400);
        panel = new MainPanelViewController(*cardStore, *memoStore, {}, {}, window.get());
        panel->resize(window->size());
        panel->onSnapCorner = [this](PanelScreenCorner corner) { snapped.append(corner); };
        panel->onPasteConfirmed = [this] { ++confirmedCount; };
        windowShortcut = new QAction(window.get());
        windowShortcut->setShortcut(QKeySequence(Qt::META | Qt::Key_1));
        window->addAction(windowShortcut);
        showPanel();
    }

    void cleanup()
    {
        window.reset();
        memoStore.reset();
        cardStore.reset();
    }

    void brandMarkLetsClicksThrough()
    {
        ZorvBrandMarkView *mark = panel->brandMarkView();
        QVERIFY(!logoImage().isNull());
        const QList<QWidget *> parts{mark, mark->logoView(), mark->titleLabel()};
        for (QWidget *part : parts) {
            const QPoint centre = part->mapTo(window.get(), part->rect().center());
            QWidget *hit = window->childAt(centre);
            QVERIFY(hit);
            QVERIFY(hit != mark && !mark->isAncestorOf(hit));
        }
    }

    void plainKeysReachTheEditor()
    {
        QTest::keyClicks(editor()->textView(), QStringLiteral("ab"));
        press(Qt::Key_Return, Qt::NoModifier);

        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("ab\n"));
        QVERIFY(cardStore->cards.isEmpty());
    }

    void confirmRecordsCardAndMemoInOrder()
    {
        const QString whole = QStringLiteral("\n  hello world \n\n");
        typeIntoEditor(whole);
        // The window's after-confirm step runs last: the card and the memo are already written.
        bool recordedFirst = false;
        panel->onPasteConfirmed = [&] {
            recordedFirst = cardStore->cards.size() == 1 && memoStore->memos.size() == 1 &&
                            memoStore->memos.front().text == whole;
            ++confirmedCount;
        };

        press(Qt::Key_Return, command);

        QCOMPARE(Pasteboard::string(), QStringLiteral("hello world"));
        QCOMPARE(cardStore->cards.size(), 1);
        QCOMPARE(cardStore->cards.front().text, QStringLiteral("hello world"));
        QCOMPARE(cardStore->activeCardID, cardStore->cards.front().id);
        QCOMPARE(memoStore->memos.size(), 1);
        QCOMPARE(memoStore->activeMemoID, memoStore->memos.front().id);
        QCOMPARE(memoStore->memos.front().text, whole);
        QCOMPARE(confirmedCount, 1);
        QVERIFY(recordedFirst);
        QCOMPARE(editor()->textWithoutFoldBadges(), whole);

        CardSlotView *first = panel->cardListViewController()->slotViews().front();
        QVERIFY(first->isEmpty());
        ViewTest::turn();
        QVERIFY(!first->isEmpty());
        QCOMPARE(first->cardID(), cardStore->cards.front().id);
        QVERIFY(first->hostedRow()->isActiveCard());
    }

    void confirmWritesIntoTheActiveMemo()
    {
        memoStore->create();
        const Memo active = memoStore->create();
        typeIntoEditor(QStringLiteral("second draft"));

        press(Qt::Key_Return, command);

        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(memoStore->activeMemoID, active.id);
        QCOMPARE(memoStore->memo(active.id)->text, QStringLiteral("second draft"));
    }

    // Regression: the first confirm after a start replaced the active memo's notes.
    void confirmKeepsNotesTheEditorNeverHeld()
    {
        const Memo notes = memoStore->create();
        memoStore->setActiveText(QStringLiteral("important"));
        typeIntoEditor(QStringLiteral("typed"));
        press(Qt::Key_Return, command);
        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(memoStore->memo(notes.id)->text, QStringLiteral("important"));
        QCOMPARE(memoStore->memos.front().text, QStringLiteral("typed"));

        // Once the memo is loaded into the editor, it follows the editor.
        memoStore->select(notes.id, false);
        panel->memoPanelDidRequestEdit(*memoStore->memo(notes.id));
        press(Qt::Key_A, command);
        QTest::keyClicks(editor()->textView(), QStringLiteral("rewritten"));
        panel->memoPanelViewController()->applyButton()->click();
        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(memoStore->memo(notes.id)->text, QStringLiteral("rewritten"));
    }

    // Regression: a memo following the editor lost the lines of a folded block.
    void memoKeepsFoldedLines()
    {
        typeIntoEditor(QStringLiteral("a\n    b\nc"));
        editor()->foldLine(0);
        press(Qt::Key_Return, command);
        QCOMPARE(Pasteboard::string(), QStringLiteral("a\nc"));
        QCOMPARE(memoStore->memos.front().text, QStringLiteral("a\n    b\nc"));
    }

    void confirmChords_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("confirms");
        const int ret = Qt::Key_Return;
        QTest::newRow("Ctrl+Return") << ret << command << true;
        QTest::newRow("Ctrl+Shift+Return") << ret << (command | shift) << true;
        QTest::newRow("Ctrl+Alt+Return") << ret << (command | option) << true;
        QTest::newRow("Super+Alt+Return") << ret << (control | option) << true;
        QTest::newRow("Super+Alt+Shift+Return") << ret << (control | option | shift) << true;
        QTest::newRow("Ctrl+Super+Return") << ret << (command | control) << false;
        QTest::newRow("Ctrl+Super+Alt+Return") << ret << (command | control | option) << false;
        QTest::newRow("Alt+Return") << ret << option << false;
        QTest::newRow("Super+Return") << ret << control << false;
        QTest::newRow("Ctrl+keypad Enter") << int(Qt::Key_Enter) << command << false;
        QTest::newRow("Super+Alt+keypad Enter")
            << int(Qt::Key_Enter) << (control | option) << false;
    }

    void confirmChords()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, confirms);
        typeIntoEditor(QStringLiteral("chord"));

        press(key, modifiers, elsewhere());

        QCOMPARE(cardStore->cards.size(), confirms ? 1 : 0);
        QCOMPARE(confirmedCount, confirms ? 1 : 0);
        QCOMPARE(Pasteboard::string(),
                 confirms ? QStringLiteral("chord") : QStringLiteral("before"));
    }

    // The editor's chords work from anywhere in the panel: Ctrl+Shift+U unfolds every line,
    // Ctrl+Escape empties the editor and nothing else.
    void editorChordsWorkFromElsewhere()
    {
        typeIntoEditor(QStringLiteral("kept in history"));
        press(Qt::Key_Return, command);
        typeIntoEditor(QStringLiteral("a\n    b\nc\n    d"));
        // The lower block first: a fold hides lines and renumbers those below.
        editor()->foldLine(2);
        editor()->foldLine(0);
        QCOMPARE(editor()->foldedLineIndices().size(), 2);
        press(Qt::Key_U, command | shift, elsewhere());
        QVERIFY(editor()->foldedLineIndices().isEmpty());
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("a\n    b\nc\n    d"));

        editor()->foldLine(0);
        press(Qt::Key_Escape, command, elsewhere());
        QCOMPARE(editor()->textWithoutFoldBadges(), QString());
        QVERIFY(editor()->foldedLineIndices().isEmpty());
        QCOMPARE(cardStore->cards.size(), 1);
        QCOMPARE(memoStore->memos.size(), 1);
        QCOMPARE(memoStore->memos.front().text, QStringLiteral("kept in history"));
    }

    void snapCorners_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<std::optional<PanelScreenCorner>>("expected");
        using C = std::optional<PanelScreenCorner>;
        QTest::newRow("Super+1") << int(Qt::Key_1) << control << C(PanelScreenCorner::topLeft);
        QTest::newRow("Super+9") << int(Qt::Key_9) << control << C(PanelScreenCorner::bottomRight);
        QTest::newRow("Super+Alt+1") << int(Qt::Key_1) << (control | option) << C();
        QTest::newRow("Ctrl+Super+1") << int(Qt::Key_1) << (control | command) << C();
        QTest::newRow("Super+Shift+1 is !") << int(Qt::Key_Exclam) << (control | shift) << C();
    }

    void snapCorners()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(std::optional<PanelScreenCorner>, expected);
        QSignalSpy shortcut(windowShortcut, &QAction::triggered);

        press(key, modifiers);

        QCOMPARE(snapped.size(), expected ? 1 : 0);
        if (expected) {
            QCOMPARE(snapped.front(), *expected);
            QCOMPARE(editor()->textWithoutFoldBadges(), QString()); // consumed
        }
        // The monitor sees a press before any shortcut of the window.
        QCOMPARE(shortcut.count(), 0);
    }

    void historyKeysReachTheCardList()
    {
        for (const QString &text : {QStringLiteral("one"), QStringLiteral("two")}) {
            typeIntoEditor(text);
            press(Qt::Key_Return, command);
        }
        typeIntoEditor(QStringLiteral("draft"));

        press(Qt::Key_2, command); // the second card from the top: "one"

        QCOMPARE(Pasteboard::string(), QStringLiteral("one"));
        QCOMPARE(cardStore->activeCardID, cardStore->cards.at(1).id);
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("draft"));
    }

    void monitorIgnoresOtherWindows()
    {
        typeIntoEditor(QStringLiteral("stays"));
        QWidget other;
        auto *field = new QLineEdit(&other);
        other.show();
        other.activateWindow();
        field->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&other));

        QTest::keyClick(field, Qt::Key_Return, command);
        QTest::keyClick(field, Qt::Key_Escape, command);
        QTest::keyClick(field, Qt::Key_1, control);

        QVERIFY(cardStore->cards.isEmpty());
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("stays"));
        QVERIFY(snapped.isEmpty());
    }

    void monitorLivesWhileShown()
    {
        QVERIFY(panel->hasKeyMonitor());
        window->hide();
        QVERIFY(!panel->hasKeyMonitor());
        showPanel();
        QVERIFY(panel->hasKeyMonitor());
        panel->hide(); // the window stays active, the panel is gone from it
        QVERIFY(!panel->hasKeyMonitor());
        QSignalSpy shortcut(windowShortcut, &QAction::triggered);
        QTest::keyClick(window.get(), Qt::Key_1, control);
        QCOMPARE(shortcut.count(), 1);
        QVERIFY(snapped.isEmpty());
        panel->show();
        QVERIFY(panel->hasKeyMonitor());
        typeIntoEditor(QStringLiteral("again"));

        press(Qt::Key_Return, command);

        QCOMPARE(cardStore->cards.size(), 1); // one monitor, one card
    }

    void confirmThatHidesThePanel()
    {
        // A collapsing confirm hides the panel from inside the monitor's own handler, which
        // removes that very monitor; the press must finish cleanly and the next show rearm it.
        panel->onPasteConfirmed = [this] {
            ++confirmedCount;
            window->hide();
        };
        typeIntoEditor(QStringLiteral("collapse"));

        press(Qt::Key_Return, command);
        ViewTest::turn();

        QCOMPARE(confirmedCount, 1);
        QVERIFY(!panel->hasKeyMonitor());
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("collapse"));
        showPanel();
        press(Qt::Key_Return, command);
        QCOMPARE(confirmedCount, 2);
        QCOMPARE(cardStore->cards.size(), 2);
    }

    void doubleClickedCardLoadsIntoEditor()
    {
        typeIntoEditor(QStringLiteral("  card text\n"));
        press(Qt::Key_Return, command);
        ViewTest::turn();
        typeIntoEditor(QStringLiteral("something else"));
        panel->cardListViewController()->setFocus();
        CardRowView *row = panel->cardListViewController()->slotViews().front()->hostedRow();
        QVERIFY(row);

        QTest::mouseDClick(row, Qt::LeftButton);

        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("card text"));
        QVERIFY(editor()->textView()->hasFocus());
    }

    // Apply writes the editor's whole text into the memo without a card or a copy; a new memo
    // empties the editor and gives it the focus.
    void memoButtonsWorkOnTheEditor()
    {
        const QString whole = QStringLiteral("  note\n\n");
        typeIntoEditor(whole);
        panel->memoPanelViewController()->applyButton()->click();
        QCOMPARE(memoStore->memos.size(), 1);
        QCOMPARE(memoStore->memos.front().text, whole);
        QCOMPARE(editor()->textWithoutFoldBadges(), whole);
        QVERIFY(cardStore->cards.isEmpty());
        QCOMPARE(Pasteboard::string(), QStringLiteral("before"));

        panel->memoPanelViewController()->addButton()->setFocus();
        panel->memoPanelViewController()->addButton()->click();
        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(editor()->textWithoutFoldBadges(), QString());
        QVERIFY(editor()->textView()->hasFocus());
    }

private:
    void showPanel()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        panel->focusEditor();
    }

    void typeIntoEditor(const QString &text) { editor()->loadText(text); }

    // Sends the press to the editor's text view, or to another widget of the panel: the
    // editor handles its chords itself, elsewhere only the panel's monitor sees them.
    void press(int key, Qt::KeyboardModifiers modifiers, QWidget *receiver = nullptr)
    {
        QTest::keyClick(receiver ? receiver : editor()->textView(), Qt::Key(key), modifiers);
    }

    QWidget *elsewhere() const { return panel->memoPanelViewController(); }
    PasteInputViewController *editor() const { return panel->inputViewController(); }

    std::unique_ptr<CardStore> cardStore;
    std::unique_ptr<MemoStore> memoStore;
    std::unique_ptr<QWidget> window;
    MainPanelViewController *panel = nullptr;
    QAction *windowShortcut = nullptr; // Super+1 as a window's menu would carry it
    QList<PanelScreenCorner> snapped;
    int confirmedCount = 0;
};

QTEST_MAIN(TestMainPanel)
#include "tst_mainpanel.moc"
