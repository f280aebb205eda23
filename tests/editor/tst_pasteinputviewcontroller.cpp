#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"
#include "platform/Pasteboard.h"

#include <QApplication>
#include <QtTest>

const QString sentinel = QStringLiteral("(clipboard untouched)");

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
        QCOMPARE(m_confirmed, expected.isEmpty() ? QStringList{} : QStringList{expected});
        QCOMPARE(Pasteboard::string(), expected.isEmpty() ? sentinel : expected);
    }

    // A double newline typed at the end confirms what came after the last confirm.
    void doubleNewlineConfirmsWhatIsNew_data()
    {
        QTest::addColumn<bool>("trigger");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("confirmed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only what is new") << true << "" << 0 << "abc\n\n\ndef\n\n"
                                          << QStringList{"abc", "def"} << "abc\n\n\ndef\n\n";
        QTest::newRow("not without the trigger") << false << "" << 0 << "abc\n\n\n"
                                                 << QStringList{} << "abc\n\n\n";
        QTest::newRow("not before the end") << true << "one\ntwo\nthree" << 8 << "\n"
                                            << QStringList{} << "one\ntwo\n\nthree";
        QTest::newRow("deleting confirmed text starts over")
            << true << "first part" << 10 << "\n\n\b\b\b\b\b\b\bX\n\n"
            << QStringList{"first part", "firstX"} << "firstX\n\n";
        QTest::newRow("clearing starts over") << true << "abc" << 3 << "\n\n\x1bxy\n\n"
                                              << QStringList{"abc", "xy"} << "xy\n\n";
    }

    void doubleNewlineConfirmsWhatIsNew()
    {
        QFETCH(bool, trigger);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        if (trigger)
            AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline);
        m_editor->loadText(text);
        select(caret, caret);
        typeKeys(keys);
        QTEST(m_confirmed, "confirmed");
        QTEST(m_editor->text(), "expected");
    }

    // Regression: folding, unfolding, indenting and outdenting moved the confirm offset back to
    // the start (or left it behind), so the next double newline sent confirmed text again.
    void ownEditsCarryTheConfirmOffset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("before"); // the editor's own edit before the confirm
        QTest::addColumn<QString>("after");  // and after it
        const auto row = [](const char *name, const char *text, const char *before,
                            const char *after) {
            QTest::newRow(name) << QString(text) << QString(before) << QString(after);
        };
        row("fold", "a\n    b\nc\n", "", "fold");
        row("unfold", "a\n    b\nc\n", "fold", "unfold");
        row("indent", "a\nc\n", "", "indent");
        row("outdent", "    a\n    c\n", "", "outdent");
        row("confirm key", "a\n", "confirm", "");
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
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("outdent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tab, caret after word") << "  foo" << 5 << 5 << false << "      foo";
        QTest::newRow("tab, only caret line") << "a\nb\nc" << 2 << 2 << false << "a\n    b\nc";
        QTest::newRow("tab over three lines")
            << "a\nb\nc\nd" << 1 << 5 << false << "    a\n    b\n    c\nd";
        QTest::newRow("selection ending at line start")
            << "a\nb\nc" << 0 << 2 << false << "    a\nb\nc";
        QTest::newRow("shift-tab six spaces") << "      x" << 7 << 7 << true << "  x";
        QTest::newRow("shift-tab spaces then tab") << "  \tx" << 0 << 0 << true << "x";
        QTest::newRow("shift-tab four spaces and tab") << "    \tx" << 0 << 0 << true << "\tx";
        QTest::newRow("shift-tab caret line only")
            << "    a\n    b" << 8 << 8 << true << "    a\nb";
        QTest::newRow("shift-tab selection, backwards")
            << "    a\n  b\nc" << 10 << 0 << true << "a\nb\nc";
    }

    void indentAndOutdent()
    {
        QFETCH(QString, text);
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(bool, outdent);
        m_editor->loadText(text);
        select(anchor, caret);
        QTest::keyClick(m_editor->textView(), outdent ? Qt::Key_Backtab : Qt::Key_Tab,
                        outdent ? Qt::ShiftModifier : Qt::NoModifier);
        QTEST(m_editor->text(), "expected");
    }

private:
    void ownEdit(const QString &edit)
    {
        QPlainTextEdit *view = m_editor->textView();
        if (edit == QLatin1String("fold")) {
            m_editor->foldLine(0);
        } else if (edit == QLatin1String("unfold")) {
            m_editor->unfoldLine(0);
        } else if (edit == QLatin1String("confirm")) {
            QTest::keyClick(view, Qt::Key_Return, Qt::ControlModifier);
        } else if (!edit.isEmpty()) { // indent or outdent every line
            view->selectAll();
            QTest::keyClick(view, edit == QLatin1String("indent") ? Qt::Key_Tab : Qt::Key_Backtab);
        }
    }

    void select(int anchor, int caret)
    {
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        m_editor->textView()->setTextCursor(cursor);
    }

    // Types ASCII keys; "\n" is Return, "\b" Backspace and "\x1b" the clearing Ctrl+Escape.
    void typeKeys(const QString &keys)
    {
        static const QHash<QChar, Qt::Key> special = {
            {u'\n', Qt::Key_Return}, {u'\b', Qt::Key_Backspace}, {u'\x1b', Qt::Key_Escape}};
        for (const QChar c : keys) {
            if (special.contains(c))
                QTest::keyClick(m_editor->textView(), special[c],
                                c == u'\x1b' ? Qt::ControlModifier : Qt::NoModifier);
            else
                QTest::keyClick(m_editor->textView(), c.toLatin1());
        }
    }

    std::unique_ptr<PasteInputViewController> m_editor;
    QStringList m_confirmed;
};

QTEST_MAIN(TestPasteInputViewController)
#include "tst_pasteinputviewcontroller.moc"
