#include "../views/ViewTestSupport.h"
#include "editor/PasteInputTextView.h"
#include "editor/PasteInputViewController.h"
#include "model/CardStore.h"
#include "model/MemoStore.h"
#include "platform/Pasteboard.h"
#include "views/CardListViewController.h"
#include "views/MemoPanelViewController.h"
#include "windows/MainPanelViewController.h"
#include "windows/ZorvBrandMarkView.h"
#include "windows/ZorvLogoView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<PanelScreenCorner>)

const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, super = Qt::MetaModifier,
                            alt = Qt::AltModifier, shift = Qt::ShiftModifier;

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
        window = std::make_unique<QWidget>();
        window->resize(720, 400);
        panel = new MainPanelViewController(*cardStore, *memoStore, {}, {}, window.get());
        panel->resize(window->size());
        panel->onSnapCorner = [this](PanelScreenCorner corner) { snapped.append(corner); };
        windowShortcut = new QAction(window.get());
        windowShortcut->setShortcut(QKeySequence(Qt::META | Qt::Key_1));
        window->addAction(windowShortcut);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        panel->focusEditor();
    }

    void cleanup() { window.reset(); }

    // The faint mark lies over the history column: it must not eat the clicks meant for cards.
    void brandMarkLetsClicksThrough()
    {
        ZorvBrandMarkView *mark = panel->brandMarkView();
        for (QWidget *part : QWidgetList{mark, mark->logoView(), mark->titleLabel()}) {
            QWidget *hit = window->childAt(part->mapTo(window.get(), part->rect().center()));
            QVERIFY(hit && hit != mark && !mark->isAncestorOf(hit));
        }
    }

    // Regression: the first confirm after a start replaced the active memo's notes.
    void confirmKeepsNotesTheEditorNeverHeld()
    {
        const Memo notes = memoStore->create();
        memoStore->setActiveText(QStringLiteral("important"));
        editor()->loadText(QStringLiteral("typed"));
        press(Qt::Key_Return, ctrl);
        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(memoStore->memo(notes.id)->text, QStringLiteral("important"));
        QCOMPARE(memoStore->memos.front().text, QStringLiteral("typed"));

        // Once the memo strip has loaded the memo into the editor, it follows the editor.
        memoStore->select(notes.id, false);
        emit panel->memoPanelViewController()->memoPanelDidRequestEdit(*memoStore->memo(notes.id));
        press(Qt::Key_A, ctrl);
        QTest::keyClicks(editor()->textView(), QStringLiteral("rewritten"));
        panel->memoPanelViewController()->applyButton()->click(); // no card, no copy
        QCOMPARE(memoStore->memos.size(), 2);
        QCOMPARE(memoStore->memo(notes.id)->text, QStringLiteral("rewritten"));
        QCOMPARE(cardStore->cards.size(), 1);
        QCOMPARE(Pasteboard::string(), QStringLiteral("typed"));

        // A card loaded into the editor ends that tie: applying it keeps the memo's text.
        emit panel->cardListViewController()->cardListDidRequestEdit(
            Card{{}, QStringLiteral("card"), {}, false});
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("card"));
        QVERIFY(editor()->textView()->hasFocus());
        panel->memoPanelViewController()->applyButton()->click();
        QCOMPARE(memoStore->memos.size(), 3);
        QCOMPARE(memoStore->memo(notes.id)->text, QStringLiteral("rewritten"));
    }

    // Regression: a memo following the editor lost the lines of a folded block.
    void memoKeepsFoldedLines()
    {
        editor()->loadText(QStringLiteral("a\n    b\nc"));
        editor()->foldLine(0);
        press(Qt::Key_Return, ctrl);
        QCOMPARE(Pasteboard::string(), QStringLiteral("a\nc"));
        QCOMPARE(memoStore->memos.front().text, QStringLiteral("a\n    b\nc"));
    }

    // Outside the editor only the monitor acts: clipboard (Ctrl+2: second card), corner, editor.
    void monitorChords_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<std::optional<PanelScreenCorner>>("corner");
        QTest::addColumn<QString>("editor");
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers modifiers,
                            const char *clipboard, std::optional<PanelScreenCorner> corner = {},
                            const char *editor = "a\nc") {
            QTest::newRow(name) << key << modifiers << QString(clipboard) << corner
                                << QString(editor);
        };
        const int ret = Qt::Key_Return;
        row("Ctrl+Return", ret, ctrl, "a\nc");
        row("Ctrl+Shift+Return", ret, ctrl | shift, "a\nc");
        row("Super+Alt+Return", ret, super | alt, "a\nc");
        row("Return", ret, {}, "before");
        row("Ctrl+Super+Return", ret, ctrl | super, "before");
        row("Alt+Return", ret, alt, "before");
        row("Super+Return", ret, super, "before");
        row("Ctrl+keypad Enter", Qt::Key_Enter, ctrl, "before");
        row("Ctrl+2", Qt::Key_2, ctrl, "one");
        row("Super+1", Qt::Key_1, super, "before", PanelScreenCorner::topLeft);
        row("Super+0", Qt::Key_0, super, "before", PanelScreenCorner::topRight);
        row("Super+F1 has no character", Qt::Key_F1, super, "before");
        row("Super+arabic-indic one is no digit", 0x0661, super, "before");
        row("Super+Alt+1", Qt::Key_1, super | alt, "before");
        row("Super+Shift+1 is !", Qt::Key_Exclam, super | shift, "before");
        row("Ctrl+Shift+U", Qt::Key_U, ctrl | shift, "before", {}, "a\n    b\nc\n    d");
        row("Ctrl+Escape", Qt::Key_Escape, ctrl, "before", {}, "");
    }

    void monitorChords()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, clipboard);
        QFETCH(std::optional<PanelScreenCorner>, corner);
        const Memo kept = memoStore->create();
        memoStore->setActiveText(QStringLiteral("kept"));
        cardStore->add(QStringLiteral("one"));
        cardStore->add(QStringLiteral("two"));
        editor()->loadText(QStringLiteral("a\n    b\nc\n    d"));
        editor()->foldLine(2); // the lower block first: a fold renumbers the lines below
        editor()->foldLine(0);
        QSignalSpy shortcut(windowShortcut, &QAction::triggered);

        press(key, modifiers, panel->memoPanelViewController());

        QCOMPARE(Pasteboard::string(), clipboard);
        const int confirms = clipboard == QStringLiteral("a\nc") ? 1 : 0;
        QCOMPARE(cardStore->cards.size(), 2 + confirms);
        QCOMPARE(snapped, corner ? QList{*corner} : QList<PanelScreenCorner>());
        QTEST(editor()->textWithoutFoldBadges(), "editor");
        QCOMPARE(memoStore->memo(kept.id)->text, QStringLiteral("kept"));
        QCOMPARE(shortcut.count(), 0); // the monitor sees a press before the window's shortcuts
    }

    // Another window of Zorv (the settings, a dialog) keeps its keys.
    void monitorIgnoresOtherWindows()
    {
        editor()->loadText(QStringLiteral("stays"));
        QLineEdit other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(&other, Qt::Key_Return, ctrl);
        QTest::keyClick(&other, Qt::Key_Escape, ctrl);
        QTest::keyClick(&other, Qt::Key_1, super);
        QVERIFY(cardStore->cards.isEmpty());
        QCOMPARE(editor()->textWithoutFoldBadges(), QStringLiteral("stays"));
        QVERIFY(snapped.isEmpty());
    }

private:
    // To the editor's text view by default; elsewhere only the panel's monitor sees the press.
    void press(int key, Qt::KeyboardModifiers modifiers, QWidget *receiver = nullptr)
    {
        QWidget *to = receiver ? receiver : editor()->textView();
        QTest::sendKeyEvent(QTest::Click, to, Qt::Key(key), QString(), modifiers);
    }

    PasteInputViewController *editor() const { return panel->inputViewController(); }

    std::unique_ptr<CardStore> cardStore;
    std::unique_ptr<MemoStore> memoStore;
    std::unique_ptr<QWidget> window;
    MainPanelViewController *panel = nullptr;
    QAction *windowShortcut = nullptr; // Super+1 as a window's menu would carry it
    QList<PanelScreenCorner> snapped;
};

QTEST_MAIN(TestMainPanel)
#include "tst_mainpanel.moc"
