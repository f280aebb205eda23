#include "editor/PasteInputGutterView.h"
#include "editor/PasteInputViewController.h"
#include "platform/Pasteboard.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBoundaryFinder>
#include <QtTest>

namespace {

const QString badge = QStringLiteral(" \u2026");

// A from-scratch count of user-perceived characters, independent of the editor's cache.
int graphemes(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

struct Snapshot
{
    QString text;
    QList<int> folded;
    QString expanded;
    QMap<int, QString> hidden;
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TestLineFolding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_editor = std::make_unique<PasteInputViewController>();
        m_editor->resize(640, 400);
        m_editor->show();
    }

    void foldable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("foldable");
        QTest::newRow("four spaces") << "a\n    b\nc" << 0 << true;
        QTest::newRow("two spaces are level 0") << "a\n  b" << 0 << false;
        QTest::newRow("tab is level 1") << "a\n\tb" << 0 << true;
        QTest::newRow("last line") << "a\n    b" << 1 << false;
        QTest::newRow("single line") << "a" << 0 << false;
        QTest::newRow("deeper nesting") << "a\n    b\n        c" << 1 << true;
    }

    void foldable()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(bool, foldable);
        m_editor->loadText(text);
        QCOMPARE(m_editor->isFoldableLine(line), foldable);
        m_editor->foldLine(line);
        QCOMPARE(m_editor->isFoldedLine(line), foldable);
        if (!foldable)
            QCOMPARE(m_editor->text(), text);
    }

    void foldAndUnfoldRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("folded");
        QTest::addColumn<QString>("hidden");
        const auto row = [](const char *name, const char *text, int line, const QString &folded,
                            const char *hidden) {
            QTest::newRow(name) << QString(text) << line << folded << QString(hidden);
        };
        row("three lines", "a\n    b\nc", 0, "a" + badge + "\nc", "    b\n");
        row("to the end", "x\ny\n    1\n    2", 1, "x\ny" + badge, "    1\n    2\n");
        row("blank line ends block", "a\n    b\n\n    c", 0, "a" + badge + "\n\n    c", "    b\n");
        row("deeper lines go with it", "a\n    b\n        c\n    d\ne", 0, "a" + badge + "\ne",
            "    b\n        c\n    d\n");
        row("empty line with indented block", "\n\tb\nc", 0, badge + "\nc", "\tb\n");
    }

    void foldAndUnfoldRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, folded);
        QFETCH(QString, hidden);
        m_editor->loadText(text);
        m_editor->foldLine(line);
        QCOMPARE(m_editor->text(), folded);
        QCOMPARE(m_editor->hiddenTextByFoldLine(), (QMap<int, QString>{{line, hidden}}));
        QCOMPARE(m_editor->foldedLineIndices(), QList<int>{line});
        QString visible = folded;
        visible.remove(badge);
        QCOMPARE(m_editor->textWithoutFoldBadges(), visible);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(graphemes(visible)));
        QVERIFY(m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()));
        m_editor->confirmText();
        QCOMPARE(Pasteboard::string(), visible.trimmed());

        m_editor->unfoldLine(line);
        QCOMPARE(m_editor->text(), text);
        QVERIFY(m_editor->foldedLineIndices().isEmpty());
        QVERIFY(!m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()));
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(graphemes(text)));
    }

    void nestedFoldReturnsFoldedInsideItsParent()
    {
        const QString text = QStringLiteral("a\n    b\n        c\n        d\n    e\nf");
        m_editor->loadText(text);
        m_editor->foldLine(1);
        m_editor->foldLine(0);
        QCOMPARE(m_editor->text(), "a" + badge + "\nf");
        m_editor->unfoldLine(0);
        QCOMPARE(m_editor->text(), "a\n    b" + badge + "\n    e\nf");
        QCOMPARE(m_editor->foldedLineIndices(), QList<int>{1});
        m_editor->unfoldLine(1);
        QCOMPARE(m_editor->text(), text);
    }

    void unfoldAllRestoresNestedAndSiblings()
    {
        const QString text =
            QStringLiteral("s\n    1\nt\n    2\n        3\n        4\n    5\nu\n    6\nend");
        m_editor->loadText(text);
        m_editor->foldLine(8 - 1); // u
        m_editor->foldLine(3);     // "    2", inside t's block
        m_editor->foldLine(2);     // t, holding the folded 2
        m_editor->foldLine(0);     // s
        QCOMPARE(m_editor->text(), "s" + badge + "\nt" + badge + "\nu" + badge + "\nend");
        QCOMPARE(m_editor->foldedLineIndices(), (QList<int>{0, 1, 2}));
        QTest::keyClick(m_editor->textView(), Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_editor->text(), text);
        QVERIFY(m_editor->foldedLineIndices().isEmpty());
        QVERIFY(!m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()));
        m_editor->textView()->undo(); // unfold-all is one step
        QCOMPARE(m_editor->text(), "s" + badge + "\nt" + badge + "\nu" + badge + "\nend");
        QCOMPARE(m_editor->foldedLineIndices(), (QList<int>{0, 1, 2}));
    }

    void foldStaysWithItsLineWhenLinesAboveChange_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("expected");
        const QString body = QStringLiteral("head\n    x\n    y\nfoot");
        QTest::newRow("lines typed above")
            << QString("type") << "new\nlines\ntop\n    inner\n" + body;
        QTest::newRow("lines pasted above")
            << QString("paste") << "p1\np2\np3\ntop\n    inner\n" + body;
        QTest::newRow("line deleted above") << "delete" << body;
        QTest::newRow("lines indented above")
            << QString("indent") << "    top\n        inner\n" + body;
        QTest::newRow("another fold above") << QString("fold") << "top\n    inner\n" + body;
        QTest::newRow("return at start of line") << QString("split") << "top\n    inner\n\n" + body;
    }

    void foldStaysWithItsLineWhenLinesAboveChange()
    {
        QFETCH(QString, edit);
        m_editor->loadText(QStringLiteral("top\n    inner\nhead\n    x\n    y\nfoot"));
        m_editor->foldLine(2);
        PasteInputTextView *view = m_editor->textView();
        placeCaret(0);
        if (edit == QLatin1String("type")) {
            QTest::keyClicks(view, QStringLiteral("new"));
            QTest::keyClick(view, Qt::Key_Return);
            QTest::keyClicks(view, QStringLiteral("lines"));
            QTest::keyClick(view, Qt::Key_Return);
        } else if (edit == QLatin1String("paste")) {
            Pasteboard::setString(QStringLiteral("p1\np2\np3\n"));
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        } else if (edit == QLatin1String("delete")) {
            placeCaret(14, 0);
            QTest::keyClick(view, Qt::Key_Delete);
        } else if (edit == QLatin1String("indent")) {
            placeCaret(5, 0);
            QTest::keyClick(view, Qt::Key_Tab);
        } else if (edit == QLatin1String("fold")) {
            m_editor->foldLine(0);
            QCOMPARE(m_editor->foldedLineIndices(), (QList<int>{0, 1}));
        } else if (edit == QLatin1String("split")) {
            placeCaret(14);
            QTest::keyClick(view, Qt::Key_Return);
        }
        const QStringList lines = m_editor->text().split(QLatin1Char('\n'));
        const int head = int(lines.indexOf("head" + badge));
        QVERIFY(head >= 0);
        QVERIFY(m_editor->foldedLineIndices().contains(head));
        m_editor->unfoldAll();
        QTEST(m_editor->text(), "expected");
    }

    // Regression: a typed " …" at a line end was taken for a fold badge and stripped.
    void typedEllipsisIsNotABadge_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("expected");
        const QString text = "wait" + badge + "\n" + "a" + badge + "\n    b\nend" + badge;
        QTest::newRow("text without badges") << "text" << text;
        QTest::newRow("confirm") << "confirm" << text;
        QTest::newRow("indent") << QString("indent")
                                << "    wait" + badge + "\na" + badge + "\n    b\nend" + badge;
        QTest::newRow("outdent") << "outdent" << text;
        QTest::newRow("fold another line")
            << QString("fold") << "wait" + badge + "\na" + badge + "\nend" + badge;
    }

    void typedEllipsisIsNotABadge()
    {
        QFETCH(QString, operation);
        QFETCH(QString, expected);
        const QString text = "wait" + badge + "\n" + "a" + badge + "\n    b\nend" + badge;
        m_editor->loadText(text);
        m_editor->textView()->moveCursor(QTextCursor::Start);
        if (operation == QLatin1String("confirm")) {
            m_editor->confirmText();
            QCOMPARE(Pasteboard::string(), expected);
            return;
        }
        if (operation == QLatin1String("indent"))
            QTest::keyClick(m_editor->textView(), Qt::Key_Tab);
        else if (operation == QLatin1String("outdent"))
            QTest::keyClick(m_editor->textView(), Qt::Key_Backtab, Qt::ShiftModifier);
        else if (operation == QLatin1String("fold"))
            m_editor->foldLine(1);
        QCOMPARE(m_editor->text(), operation == QLatin1String("fold")
                                       ? "wait" + badge + "\na" + badge + badge + "\nend" + badge
                                       : expected);
        QCOMPARE(m_editor->textWithoutFoldBadges(), expected);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(graphemes(expected)));
        if (operation == QLatin1String("fold")) {
            m_editor->unfoldLine(1);
            QCOMPARE(m_editor->text(), text);
        }
    }

    void deletingIntoABadgeOpensTheFold_data()
    {
        QTest::addColumn<int>("caret"); // offset in "a …\nc"
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        const QString open = QStringLiteral("a\n    b\nc");
        QTest::newRow("backspace after badge") << 3 << int(Qt::Key_Backspace) << open;
        QTest::newRow("backspace inside badge") << 2 << int(Qt::Key_Backspace) << open;
        QTest::newRow("delete before badge") << 1 << int(Qt::Key_Delete) << open;
        QTest::newRow("delete after badge") << 3 << int(Qt::Key_Delete) << open;
        QTest::newRow("backspace joining the next line puts it after the hidden lines")
            << 4 << int(Qt::Key_Backspace) << "a\n    bc";
        QTest::newRow("typing inside badge goes before it")
            << 2 << int(Qt::Key_X) << "ax" + badge + "\nc";
        QTest::newRow("backspace before badge deletes text")
            << 1 << int(Qt::Key_Backspace) << badge + "\nc";
    }

    void deletingIntoABadgeOpensTheFold()
    {
        QFETCH(int, caret);
        QFETCH(int, key);
        m_editor->loadText(QStringLiteral("a\n    b\nc"));
        m_editor->foldLine(0);
        placeCaret(caret);
        if (key == Qt::Key_X)
            QTest::keyClicks(m_editor->textView(), QStringLiteral("x"));
        else
            QTest::keyClick(m_editor->textView(), Qt::Key(key));
        QTEST(m_editor->text(), "expected");
        m_editor->unfoldAll();
        QVERIFY(m_editor->text().contains(QStringLiteral("    b")));
    }

    void caretStepsOverABadge()
    {
        m_editor->loadText(QStringLiteral("a\n    b\nc"));
        m_editor->foldLine(0);
        PasteInputTextView *view = m_editor->textView();
        placeCaret(1);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->textCursor().position(), 3);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(view->textCursor().position(), 1);
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(view->textCursor().selectedText(), badge);
    }

    // Regression: Return, a paste or an input method's text inside a badge split it, and the
    // fold silently dropped its hidden lines.
    void badgeIsOneUnit_data()
    {
        QTest::addColumn<int>("anchor"); // -1: no selection
        QTest::addColumn<int>("caret");  // in "a …\nc"
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("keepsFold");
        const QString after = "a" + badge + "\n\nc";
        const auto row = [](const char *name, int anchor, int caret, const char *action,
                            const QString &piece, const QString &expected, bool keepsFold) {
            QTest::newRow(name) << anchor << caret << QString(action) << piece << expected
                                << keepsFold;
        };
        row("return before the badge", -1, 1, "return", "", after, true);
        row("return inside the badge", -1, 2, "return", "", after, true);
        row("paste inside the badge", -1, 2, "paste", "x\ny", "ax" + badge + "\ny\nc", true);
        row("input method after the badge", -1, 3, "ime", "語", "a語" + badge + "\nc", true);
        row("typing after the badge", -1, 3, "keys", "x", "ax" + badge + "\nc", true);
        row("typing over a selection into the badge takes it whole", 0, 2, "keys", "x", "x\nc",
            false);
        row("deleting the whole folded line", 0, 3, "delete", "", "\nc", false);
    }

    void badgeIsOneUnit()
    {
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(QString, action);
        QFETCH(QString, piece);
        QFETCH(bool, keepsFold);
        m_editor->loadText(QStringLiteral("a\n    b\nc"));
        m_editor->foldLine(0);
        placeCaret(caret, anchor);
        act(action, piece);
        QTEST(m_editor->text(), "expected");
        QCOMPARE(m_editor->foldedLineIndices(), keepsFold ? QList<int>{0} : QList<int>{});
        if (!keepsFold) { // one undo step brings the line and its hidden lines back
            m_editor->textView()->undo();
            QCOMPARE(m_editor->text(), "a" + badge + "\nc");
        }
        m_editor->unfoldAll();
        QVERIFY(m_editor->text().contains(QStringLiteral("\n    b")));
    }

    // Regression: selecting up to a badge restyled the selection and killed the fold on undo.
    void deletingABadgeAndUndoingBringsTheFoldBack()
    {
        m_editor->loadText(QStringLiteral("b\U0001F44D\U0001F3FD\n    c\ng"));
        m_editor->foldLine(0);
        placeCaret(7, 3);
        QTest::keyClick(m_editor->textView(), Qt::Key_Delete);
        QVERIFY(m_editor->foldedLineIndices().isEmpty());
        m_editor->textView()->undo();
        QCOMPARE(m_editor->foldedLineIndices(), QList<int>{0});
        m_editor->unfoldAll();
        QCOMPARE(m_editor->text(), QStringLiteral("b\U0001F44D\U0001F3FD\n    c\ng"));
    }

    // Regression: undo could restore a hidden block under the wrong line or leave a badge.
    void randomEditsKeepTextAndFoldsInAgreement()
    {
        QRandomGenerator random(20240611);
        for (int run = 0; run < 6; ++run) {
            m_editor->loadText(QStringLiteral("a\n    b\n        c\n    d\ne\n\tf\ng"));
            QTextDocument *document = m_editor->textView()->document();
            QList<Snapshot> states{snapshot()};
            int current = 0;
            int added = 0;
            QObject guard;
            connect(document, &QTextDocument::undoCommandAdded, &guard, [&added] { ++added; });
            for (int step = 0; step < 150; ++step) {
                added = 0;
                const Snapshot before = snapshot();
                QString name;
                const std::pair<int, int> deleted = randomStep(random, name);
                const QString where =
                    QStringLiteral("run %1 step %2 %3").arg(run).arg(step).arg(name);
                checkInvariants(where);
                const Snapshot after = snapshot();
                checkNoFoldLost(before, after, name, deleted, where);
                if (QTest::currentTestFailed())
                    return;
                if (name == QLatin1String("undo") && current > 0 && !(after == before)) {
                    QVERIFY2(after == states[--current], qPrintable(where));
                } else if (name == QLatin1String("redo") && !(after == before)) {
                    QVERIFY2(current + 1 < states.size() && after == states[++current],
                             qPrintable(where));
                } else if (added > 0) {
                    // A new undo step (a badge put back at its line's end is part of it: the
                    // undo rows above check that one undo takes it all back).
                    states.resize(current + 1);
                    states.append(after);
                    ++current;
                } else if (!(after == before)) {
                    QVERIFY2(name == QLatin1String("delete") || name == QLatin1String("ime"),
                             qPrintable(where));
                    states[current] = after; // typing merged into the previous undo step
                }
                if (name == QLatin1String("fold") || name == QLatin1String("unfold"))
                    QVERIFY2(after.expanded == before.expanded, qPrintable(where));
                if (name == QLatin1String("unfoldAll"))
                    QVERIFY2(after.text == before.expanded, qPrintable(where));
            }
        }
    }

private:
    // Puts the caret at position, selecting from anchor when one is given.
    void placeCaret(int position, int anchor = -1)
    {
        QTextCursor cursor = m_editor->textView()->textCursor();
        cursor.setPosition(anchor < 0 ? position : anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        m_editor->textView()->setTextCursor(cursor);
    }

    Snapshot snapshot() const
    {
        return {m_editor->text(), m_editor->foldedLineIndices(), m_editor->expandedText(),
                m_editor->hiddenTextByFoldLine()};
    }

    // A fold's hidden lines leave only with its badge, deleted with it (the undo states check
    // that one undo brings both back), or by opening into the text. Insertions at a caret never
    // take them.
    void checkNoFoldLost(const Snapshot &before, const Snapshot &after, const QString &name,
                         std::pair<int, int> deleted, const QString &where)
    {
        static const QStringList insertions = {"type", "return", "paste",
                                               "ime",  "indent", "outdent"};
        const bool deletion = name == QLatin1String("delete") || deleted.first < deleted.second;
        if (!deletion && !insertions.contains(name))
            return;
        if (deletion && deleted.first == deleted.second && after.expanded == before.expanded)
            return; // a fold opened
        QStringList left = after.hidden.values();
        const QStringList lines = before.text.split(QLatin1Char('\n'));
        int lineStart = 0;
        for (int line = 0; line < lines.size(); lineStart += int(lines[line++].size()) + 1) {
            if (!before.hidden.contains(line) || left.removeOne(before.hidden[line]))
                continue;
            const int badgeStart = lineStart + int(lines[line].size()) - 2;
            const bool badgeDeleted =
                badgeStart >= deleted.first && badgeStart + 2 <= deleted.second;
            const bool opened = after.text.contains(before.hidden[line].chopped(1));
            QVERIFY2(deletion && (badgeDeleted || opened), qPrintable(where));
        }
    }

    void checkInvariants(const QString &step)
    {
        const QString visible = m_editor->textWithoutFoldBadges();
        QVERIFY2(m_editor->characterCount() == graphemes(visible), qPrintable(step));
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(graphemes(visible)));
        const QStringList lines = m_editor->text().split(QLatin1Char('\n'));
        for (const int line : m_editor->foldedLineIndices())
            QVERIFY2(lines.value(line).endsWith(badge), qPrintable(step));
        QCOMPARE(m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()),
                 !m_editor->foldedLineIndices().isEmpty());
        // The gutter offers a button on exactly the foldable and the folded lines it shows.
        const PasteInputGutterView *gutter = m_editor->gutterView();
        for (const PasteInputGutterView::Row &row : gutter->visibleRows()) {
            const bool button =
                m_editor->isFoldableLine(row.line) || m_editor->isFoldedLine(row.line);
            QVERIFY2(gutter->hasFoldButton(row.line) == button,
                     qPrintable(step + QStringLiteral(", line %1").arg(row.line)));
        }
    }

    // Edits at the caret as a user does: "return", "paste", "ime" (an input method's committed
    // text), "keys" (typed) and "delete".
    void act(const QString &action, const QString &piece = QString())
    {
        PasteInputTextView *view = m_editor->textView();
        if (action == QLatin1String("return")) {
            QTest::keyClick(view, Qt::Key_Return);
        } else if (action == QLatin1String("paste")) {
            Pasteboard::setString(piece);
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        } else if (action == QLatin1String("ime")) {
            QInputMethodEvent commit;
            commit.setCommitString(piece);
            QApplication::sendEvent(view, &commit);
        } else if (action == QLatin1String("keys")) {
            QTest::keyClicks(view, piece);
        } else if (action == QLatin1String("delete")) {
            QTest::keyClick(view, Qt::Key_Delete);
        }
    }

    std::pair<int, int> selectedRange() const
    {
        const QTextCursor selection = m_editor->textView()->textCursor();
        return {selection.selectionStart(), selection.selectionEnd()};
    }

    // One random edit at a random place, badges included; returns the range a deletion took.
    std::pair<int, int> randomStep(QRandomGenerator &random, QString &name)
    {
        static const QStringList pieces = {
            "a",  "xy",  "\n", "\n    ",      "    ",
            "\t", badge, "語", "\n        z", "\U0001F44D\U0001F3FD"};
        const QString piece = pieces[random.bounded(pieces.size())];
        PasteInputTextView *view = m_editor->textView();
        const int length = int(m_editor->text().size());
        const int lineCount = view->document()->blockCount();
        placeCaret(random.bounded(length + 1));
        const int roll = random.bounded(100);
        if (roll < 15) {
            name = QStringLiteral("type");
            view->insertPlainTextAtCursor(piece);
        } else if (roll < 34) {
            static const QStringList actions = {"return", "paste", "ime"};
            name = actions[random.bounded(actions.size())];
            const int from = view->textCursor().position();
            if (random.bounded(3) == 0) // over a selection, which may end inside a badge
                placeCaret(std::min(length, from + random.bounded(6)), from);
            const std::pair<int, int> range = selectedRange();
            act(name, name == QLatin1String("ime") ? piece.trimmed() : piece);
            return range;
        } else if (roll < 42) {
            name = QStringLiteral("delete");
            const int from = view->textCursor().position();
            placeCaret(std::min(length, from + random.bounded(6)), from);
            const std::pair<int, int> range = selectedRange();
            act(name);
            return range;
        } else if (roll < 48) {
            name = QStringLiteral("indent");
            QTest::keyClick(view, Qt::Key_Tab);
        } else if (roll < 54) {
            name = QStringLiteral("outdent");
            QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (roll < 68) {
            name = QStringLiteral("fold");
            m_editor->foldLine(random.bounded(lineCount));
        } else if (roll < 76) {
            name = QStringLiteral("unfold");
            const QList<int> folded = m_editor->foldedLineIndices();
            if (!folded.isEmpty())
                m_editor->unfoldLine(folded[random.bounded(folded.size())]);
        } else if (roll < 79) {
            name = QStringLiteral("unfoldAll");
            m_editor->unfoldAll();
        } else if (roll < 92) {
            name = QStringLiteral("undo");
            view->undo();
        } else {
            name = QStringLiteral("redo");
            view->redo();
        }
        return {0, 0};
    }

    std::unique_ptr<PasteInputViewController> m_editor;
};

QTEST_MAIN(TestLineFolding)
#include "tst_linefolding.moc"
