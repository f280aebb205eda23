#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"
#include "platform/Pasteboard.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

namespace {

const QString sentinel = QStringLiteral("(clipboard untouched)");

} // namespace

class TestPasteInputViewController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        AppSettings::confirmTrigger.set(ConfirmTrigger::commandEnter);
        m_editor = std::make_unique<PasteInputViewController>();
        m_editor->resize(640, 360);
        m_editor->show();
        m_confirmed.clear();
        connect(m_editor.get(), &PasteInputViewController::pasteInputDidConfirm, this,
                [this](const QString &text) { m_confirmed.append(text); });
        Pasteboard::setString(sentinel);
    }

    void confirmTrimsAndCopies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: nothing is confirmed
        const auto row = [](const char *name, const char *text, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        row("empty", "", "");
        row("only white space", " \n\t\n", "");
        row("padded word", "  hello \n\n", "hello");
        row("inner lines kept", "\na\n\n b \n", "a\n\n b");
        row("ideographic space trimmed", "\u3000語\u3000", "語");
        row("non-breaking space kept inside", "a\u00a0b", "a\u00a0b");
    }

    void confirmTrimsAndCopies()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        m_editor->loadText(text);
        m_editor->confirmText();
        QCOMPARE(m_editor->text(), text); // a confirm never changes the editor
        if (expected.isEmpty()) {
            QVERIFY(m_confirmed.isEmpty());
            QCOMPARE(Pasteboard::string(), sentinel);
            QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 0);
        } else {
            QCOMPARE(m_confirmed, QStringList{expected});
            QCOMPARE(Pasteboard::string(), expected);
            QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), int(text.size()));
        }
    }

    void confirmChords_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("confirms");
        // The whole chord table is gone through on the main panel; here the editor's own part.
        const int cmd = Qt::ControlModifier, ctrl = Qt::MetaModifier, opt = Qt::AltModifier;
        QTest::newRow("cmd+return") << int(Qt::Key_Return) << cmd << true;
        QTest::newRow("ctrl+opt+return") << int(Qt::Key_Return) << (ctrl | opt) << true;
        QTest::newRow("ctrl+cmd+return") << int(Qt::Key_Return) << (ctrl | cmd) << false;
        QTest::newRow("opt+return") << int(Qt::Key_Return) << opt << false;
        QTest::newRow("cmd+keypad enter")
            << int(Qt::Key_Enter) << (cmd | int(Qt::KeypadModifier)) << false;
    }

    void confirmChords()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, confirms);
        m_editor->loadText(QStringLiteral("note"));
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_editor->handleKeyChord(press), confirms);
        QCOMPARE(m_confirmed, confirms ? QStringList{"note"} : QStringList{});
        // The same key typed into the text view: a chord is consumed and changes no text.
        m_confirmed.clear();
        QTest::keyClick(m_editor->textView(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_confirmed, confirms ? QStringList{"note"} : QStringList{});
        if (confirms)
            QCOMPARE(m_editor->text(), QStringLiteral("note"));
    }

    void doubleNewlineConfirmsOnlyWhatIsNew()
    {
        AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline);
        typeKeys(QStringLiteral("abc\n\n"));
        QCOMPARE(m_confirmed, QStringList{"abc"});
        QCOMPARE(m_editor->text(), QStringLiteral("abc\n\n"));
        QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 3);
        typeKeys(QStringLiteral("\n"));
        QCOMPARE(m_confirmed.size(), 1);
        typeKeys(QStringLiteral("def\n\n"));
        QCOMPARE(m_confirmed, (QStringList{"abc", "def"}));
        QCOMPARE(Pasteboard::string(), QStringLiteral("def"));
        QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 9);
    }

    // Empty lines confirm only with the double-newline trigger, and only at the end of the text.
    void doubleNewlineNeedsTheTriggerAndTheEnd()
    {
        typeKeys(QStringLiteral("abc\n\n\n"));
        QVERIFY(m_confirmed.isEmpty());
        AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline);
        m_editor->loadText(QStringLiteral("one\ntwo\nthree"));
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.setPosition(8); // start of "three", right after a line feed
        m_editor->textView()->setTextCursor(cursor);
        typeKeys(QStringLiteral("\n"));
        QCOMPARE(m_editor->text(), QStringLiteral("one\ntwo\n\nthree"));
        QVERIFY(m_confirmed.isEmpty());
    }

    void shorterTextRestartsTheConfirmOffset()
    {
        m_editor->loadText(QStringLiteral("first part"));
        m_editor->confirmText();
        QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 10);
        AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline);
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.movePosition(QTextCursor::End);
        m_editor->textView()->setTextCursor(cursor);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_editor->textView(), Qt::Key_Backspace);
        QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 0);
        typeKeys(QStringLiteral("X\n\n"));
        QCOMPARE(m_confirmed.last(), QStringLiteral("firstX"));
    }

    // Regression: folding, unfolding, indenting and outdenting moved the confirm offset back to
    // the start (or left it behind), so the next double newline sent confirmed text again.
    void ownEditsCarryTheConfirmOffset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("before"); // the editor's own edit before the confirm
        QTest::addColumn<QString>("after");  // and after it
        QTest::newRow("fold") << "a\n    b\nc\n"
                              << ""
                              << "fold";
        QTest::newRow("unfold") << "a\n    b\nc\n"
                                << "fold"
                                << "unfold";
        QTest::newRow("indent") << "a\nc\n"
                                << ""
                                << "indent";
        QTest::newRow("outdent") << "    a\n    c\n"
                                 << ""
                                 << "outdent";
    }

    void ownEditsCarryTheConfirmOffset()
    {
        QFETCH(QString, text);
        QFETCH(QString, before);
        QFETCH(QString, after);
        AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline);
        m_editor->loadText(text);
        ownEdit(before);
        m_editor->textView()->moveCursor(QTextCursor::End);
        typeKeys(QStringLiteral("\n"));
        QCOMPARE(m_confirmed.size(), 1);
        ownEdit(after);
        m_editor->textView()->moveCursor(QTextCursor::End);
        typeKeys(QStringLiteral("d\n\n"));
        QCOMPARE(m_confirmed.value(1), QStringLiteral("d"));
    }

    void indentAndOutdent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<bool>("outdent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tab, caret after word") << "  foo" << 5 << 5 << false << "      foo";
        QTest::newRow("tab, caret at start") << "  foo" << 0 << 0 << false << "      foo";
        QTest::newRow("tab after tabs") << "\t foo" << 4 << 4 << false << "\t     foo";
        QTest::newRow("tab, only caret line") << "a\nb\nc" << 2 << 2 << false << "a\n    b\nc";
        QTest::newRow("tab over three lines")
            << "a\nb\nc\nd" << 1 << 5 << false << "    a\n    b\n    c\nd";
        QTest::newRow("selection ending at line start")
            << "a\nb\nc" << 0 << 2 << false << "    a\nb\nc";
        QTest::newRow("shift-tab six spaces") << "      x" << 7 << 7 << true << "  x";
        QTest::newRow("shift-tab spaces then tab") << "  \tx" << 0 << 0 << true << "x";
        QTest::newRow("shift-tab two tabs") << "\t\tx" << 0 << 0 << true << "\tx";
        QTest::newRow("shift-tab four spaces and tab") << "    \tx" << 0 << 0 << true << "\tx";
        QTest::newRow("shift-tab nothing to remove") << "x" << 1 << 1 << true << "x";
        QTest::newRow("shift-tab caret line only")
            << "    a\n    b" << 8 << 8 << true << "    a\nb";
        QTest::newRow("shift-tab selection") << "    a\n  b\nc" << 0 << 10 << true << "a\nb\nc";
    }

    void indentAndOutdent()
    {
        QFETCH(QString, text);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionEnd);
        QFETCH(bool, outdent);
        QFETCH(QString, expected);
        m_editor->loadText(text);
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.setPosition(selectionStart);
        cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
        m_editor->textView()->setTextCursor(cursor);
        QTest::keyClick(m_editor->textView(), outdent ? Qt::Key_Backtab : Qt::Key_Tab,
                        outdent ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(m_editor->text(), expected);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(expected.size()));
    }

    void indentIsOneUndoStep()
    {
        typeKeys(QStringLiteral("b\nc\nd"));
        const QString typed = m_editor->text();
        m_editor->textView()->selectAll();
        QTest::keyClick(m_editor->textView(), Qt::Key_Tab);
        QCOMPARE(m_editor->text(), QStringLiteral("    b\n    c\n    d"));
        QTest::keyClick(m_editor->textView(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(m_editor->textView(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_editor->text(), typed); // the second outdent had nothing to remove
        m_editor->textView()->undo();
        QCOMPARE(m_editor->text(), QStringLiteral("    b\n    c\n    d"));
        m_editor->textView()->undo();
        QCOMPARE(m_editor->text(), typed);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(typed.size()));
    }

    void counterCountsUserPerceivedCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("thumbs up with skin tone, letter") << "\U0001F44D\U0001F3FDa" << 2;
        QTest::newRow("trailing line feeds") << "a\n\n" << 3;
        QTest::newRow("family emoji") << "\U0001F468\u200D\U0001F469\u200D\U0001F467" << 1;
        QTest::newRow("flag") << "\U0001F1EF\U0001F1F5!" << 2;
        QTest::newRow("combining accent") << "e\u0301e" << 2;
        QTest::newRow("hangul jamo") << "\u1100\u1161\u11A8" << 1;
        QTest::newRow("text ending in ellipsis") << "wait …" << 6;
    }

    void counterCountsUserPerceivedCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        m_editor->loadText(text);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(count));
    }

    void counterFollowsEdits()
    {
        m_editor->loadText(QStringLiteral("ab\ncd"));
        m_editor->textView()->moveCursor(QTextCursor::End);
        typeKeys(QStringLiteral("\U0001F44D\U0001F3FD"));
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("6"));
        m_editor->textView()->textCursor().deletePreviousChar();
        QCOMPARE(m_editor->text(), QStringLiteral("ab\ncd\U0001F44D"));
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("6"));
        m_editor->textView()->moveCursor(QTextCursor::Start);
        typeKeys(QStringLiteral("\n\n"));
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("8"));
        m_editor->textView()->selectAll();
        QTest::keyClick(m_editor->textView(), Qt::Key_Delete);
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("0"));
    }

    void pasteInsertsPlainTextOnly()
    {
        m_editor->loadText(QStringLiteral("ab"));
        auto *rich = new QMimeData;
        rich->setHtml(QStringLiteral("<b>bold</b>"));
        rich->setText(QStringLiteral("bold"));
        QGuiApplication::clipboard()->setMimeData(rich);
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.setPosition(1);
        m_editor->textView()->setTextCursor(cursor);
        QTest::keyClick(m_editor->textView(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_editor->text(), QStringLiteral("abboldb").remove(1, 1));
        const QTextBlock block = m_editor->textView()->document()->firstBlock();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(!it.fragment().charFormat().font().bold());
        m_editor->textView()->undo();
        QCOMPARE(m_editor->text(), QStringLiteral("ab"));
    }

    void loadTextResetsEverything()
    {
        m_editor->loadText(QStringLiteral("a\n    b\nc"));
        m_editor->foldLine(0);
        m_editor->confirmText();
        QVERIFY(m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()));
        QTest::keyClick(m_editor->textView(), Qt::Key_Escape, Qt::ControlModifier);
        QCOMPARE(m_editor->text(), QString());
        QVERIFY(m_editor->foldedLineIndices().isEmpty());
        QVERIFY(!m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()));
        QCOMPARE(m_editor->lastDoubleNewlineConfirmEnd(), 0);
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("0"));
        QVERIFY(!m_editor->textView()->document()->isUndoAvailable());
    }

    void inputMethodCompositionIsNotText()
    {
        m_editor->loadText(QStringLiteral("a"));
        m_editor->textView()->moveCursor(QTextCursor::End);
        QInputMethodEvent compose(QStringLiteral("にほん"), {});
        QApplication::sendEvent(m_editor->textView(), &compose);
        QVERIFY(m_editor->textView()->hasMarkedText());
        QCOMPARE(m_editor->text(), QStringLiteral("a"));
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("1"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("日本"));
        QApplication::sendEvent(m_editor->textView(), &commit);
        QVERIFY(!m_editor->textView()->hasMarkedText());
        QCOMPARE(m_editor->text(), QStringLiteral("a日本"));
        QCOMPARE(m_editor->characterCountLabel()->text(), QStringLiteral("3"));
        m_editor->confirmText();
        QCOMPARE(m_confirmed, QStringList{"a日本"});
    }

private:
    void ownEdit(const QString &edit)
    {
        if (edit == QLatin1String("fold")) {
            m_editor->foldLine(0);
        } else if (edit == QLatin1String("unfold")) {
            m_editor->unfoldLine(0);
        } else if (!edit.isEmpty()) {
            m_editor->textView()->selectAll();
            const bool indent = edit == QLatin1String("indent");
            QTest::keyClick(m_editor->textView(), indent ? Qt::Key_Tab : Qt::Key_Backtab,
                            indent ? Qt::NoModifier : Qt::ShiftModifier);
        }
    }

    void typeKeys(const QString &keys)
    {
        // One key event per code point, carrying its text, as a keyboard or input method sends.
        for (const char32_t c : keys.toUcs4()) {
            if (c == U'\n') {
                QTest::keyClick(m_editor->textView(), Qt::Key_Return);
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
            QApplication::sendEvent(m_editor->textView(), &press);
        }
    }

    std::unique_ptr<PasteInputViewController> m_editor;
    QStringList m_confirmed;
};

QTEST_MAIN(TestPasteInputViewController)
#include "tst_pasteinputviewcontroller.moc"
