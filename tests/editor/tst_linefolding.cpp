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

// Leading width in steps of four columns, a tab being four.
int level(const QString &line)
{
    int width = 0;
    for (int i = 0; i < line.size() && (line[i] == u' ' || line[i] == u'\t'); ++i)
        width += line[i] == u'\t' ? 4 : 1;
    return width / 4;
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

    // What a fold hides, and that unfolding puts it back as it was.
    void foldAndUnfoldRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("folded");
        QTest::newRow("three lines") << "a\n    b\nc" << 0 << "a" + badge + "\nc";
        QTest::newRow("to the end") << "x\ny\n    1\n    2" << 1 << "x\ny" + badge;
        QTest::newRow("blank line ends block")
            << "a\n    b\n\n    c" << 0 << "a" + badge + "\n\n    c";
        QTest::newRow("deeper lines go with it")
            << "a\n    b\n        c\n    d\ne" << 0 << "a" + badge + "\ne";
        QTest::newRow("tab is a level, empty line folds") << "\n\tb\nc" << 0 << badge + "\nc";
    }

    void foldAndUnfoldRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        m_editor->loadText(text);
        m_editor->foldLine(line);
        QTEST(m_editor->text(), "folded");
        m_editor->unfoldLine(line);
        QCOMPARE(m_editor->text(), text);
    }

    // Regression: a typed " …" at a line end was taken for a fold badge and stripped.
    void typedEllipsisIsNotABadge_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expected"); // without badges, as confirmed
        const QString text = "wait" + badge + "\na" + badge + "\n    b\nend" + badge;
        QTest::newRow("as loaded") << "" << text;
        QTest::newRow("indent") << "indent"
                                << "    " + text;
        QTest::newRow("fold another line") << "fold"
                                           << "wait" + badge + "\na" + badge + "\nend" + badge;
    }

    void typedEllipsisIsNotABadge()
    {
        QFETCH(QString, action);
        QFETCH(QString, expected);
        const QString text = "wait" + badge + "\na" + badge + "\n    b\nend" + badge;
        m_editor->loadText(text);
        if (action == QLatin1String("fold"))
            m_editor->foldLine(1);
        else
            act(action);
        QCOMPARE(m_editor->textWithoutFoldBadges(), expected);
        QCOMPARE(m_editor->characterCountLabel()->text(), QString::number(graphemes(expected)));
        m_editor->unfoldAll();
        if (action != QLatin1String("indent"))
            QCOMPARE(m_editor->text(), text);
    }

    // The badge stands for its hidden lines: deleting into it opens the fold, typing at it goes
    // before it.
    void deletingIntoABadgeOpensTheFold_data()
    {
        badgeColumns();
        const QString open = QStringLiteral("a\n    b\nc");
        badgeRow("backspace after badge", -1, 3, "backspace", "", open);
        badgeRow("backspace inside badge", -1, 2, "backspace", "", open);
        badgeRow("delete before badge", -1, 1, "delete", "", open);
        badgeRow("delete after badge", -1, 3, "delete", "", open);
        badgeRow("backspace joining the next line puts it after the hidden lines", -1, 4,
                 "backspace", "", "a\n    bc");
        badgeRow("typing inside badge goes before it", -1, 2, "keys", "x", "ax" + badge + "\nc");
        badgeRow("backspace before badge deletes text", -1, 1, "backspace", "", badge + "\nc");
    }

    void deletingIntoABadgeOpensTheFold() { badgeIsOneUnit(); }

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
    // fold silently dropped its hidden lines; a deleted badge came back dead on undo.
    void badgeIsOneUnit_data()
    {
        badgeColumns();
        badgeRow("return before the badge", -1, 1, "return", "", "a" + badge + "\n\nc");
        badgeRow("return inside the badge", -1, 2, "return", "", "a" + badge + "\n\nc");
        badgeRow("paste inside the badge", -1, 2, "paste", "x\ny", "ax" + badge + "\ny\nc");
        badgeRow("input method after the badge", -1, 3, "ime", "語", "a語" + badge + "\nc");
        badgeRow("typing after the badge", -1, 3, "keys", "x", "ax" + badge + "\nc");
        badgeRow("typing over a selection into the badge takes it whole", 0, 2, "keys", "x",
                 "x\nc");
        badgeRow("deleting the whole folded line", 0, 3, "delete", "", "\nc");
        badgeRow("deleting the badge", 1, 3, "delete", "", "a\nc");
    }

    void badgeIsOneUnit()
    {
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(QString, action);
        QFETCH(QString, piece);
        QFETCH(QString, expected);
        m_editor->loadText(QStringLiteral("a\n    b\nc"));
        m_editor->foldLine(0);
        placeCaret(caret, anchor);
        act(action, piece);
        QCOMPARE(m_editor->text(), expected);
        const bool keepsFold = expected.contains(badge);
        QCOMPARE(m_editor->foldedLineIndices(), keepsFold ? QList<int>{0} : QList<int>{});
        if (keepsFold) {
            QVERIFY(m_editor->expandedText().contains(QStringLiteral("\n    b")));
            return;
        }
        m_editor->textView()->undo(); // one undo step brings the badge and its live fold back
        QCOMPARE(std::pair(m_editor->text(), m_editor->foldedLineIndices()),
                 std::pair("a" + badge + "\nc", QList<int>{0}));
        m_editor->textView()->redo(); // and one redo the whole edit
        QCOMPARE(m_editor->text(), expected);
    }

    // Regression: undo could restore a hidden block under the wrong line or leave a badge.
    void randomEditsKeepTextAndFoldsInAgreement()
    {
        QRandomGenerator random(20240611);
        for (int run = 0; run < 6; ++run) {
            m_editor->loadText(QStringLiteral("a\n    b\n        c\n    d\ne\n\tf\ng"));
            QList<Snapshot> states{snapshot()};
            int current = 0;
            int added = 0;
            QObject guard;
            connect(m_editor->textView()->document(), &QTextDocument::undoCommandAdded, &guard,
                    [&added] { ++added; });
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
                } else if (added > 0) { // a new undo step, a badge put back with it included
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
    static void badgeColumns()
    {
        QTest::addColumn<int>("anchor"); // -1: no selection
        QTest::addColumn<int>("caret");  // in "a …\nc"
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<QString>("expected"); // the fold is kept when it still has its badge
    }

    static void badgeRow(const char *name, int anchor, int caret, const char *action,
                         const QString &piece, const QString &expected)
    {
        QTest::newRow(name) << anchor << caret << QString(action) << piece << expected;
    }

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
    // that one undo brings both back), or by opening into the text. Insertions never take them.
    void checkNoFoldLost(const Snapshot &before, const Snapshot &after, const QString &name,
                         std::pair<int, int> deleted, const QString &where)
    {
        const bool deletion = name == QLatin1String("delete") || deleted.first < deleted.second;
        if (!deletion && !m_edits.contains(name))
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

    // What is counted, confirmed and written to the memo, and the gutter's buttons, worked out
    // afresh from the text as shown (a badge's space is no indentation).
    void checkInvariants(const QString &step)
    {
        const QStringList shown = m_editor->text().split(QLatin1Char('\n'));
        QStringList lines = shown;
        const QList<int> folded = m_editor->foldedLineIndices();
        const QMap<int, QString> hidden = m_editor->hiddenTextByFoldLine();
        for (const int line : folded) {
            QVERIFY2(lines.value(line).endsWith(badge), qPrintable(step));
            QVERIFY2(!hidden.value(line).isEmpty(), qPrintable(step));
            lines[line].chop(2);
        }
        const QString visible = lines.join(QLatin1Char('\n'));
        QVERIFY2(m_editor->textWithoutFoldBadges() == visible, qPrintable(step));
        QString expanded; // what the memo receives: each fold opened where it stands
        for (int line = 0; line < lines.size(); ++line)
            expanded += lines[line] + QLatin1Char('\n') + hidden.value(line);
        expanded.chop(1);
        QVERIFY2(m_editor->expandedText() == expanded, qPrintable(step));
        QVERIFY2(m_editor->characterCountLabel()->text() == QString::number(graphemes(visible)),
                 qPrintable(step));
        QVERIFY2(m_editor->unfoldAllButton()->isVisibleTo(m_editor.get()) == !folded.isEmpty(),
                 qPrintable(step));
        const PasteInputGutterView *gutter = m_editor->gutterView();
        for (const PasteInputGutterView::Row &row : gutter->visibleRows()) {
            const int line = row.line;
            const bool foldable =
                line + 1 < lines.size() && level(lines[line]) < level(lines[line + 1]);
            QVERIFY2(gutter->hasFoldButton(line) == (foldable || folded.contains(line)),
                     qPrintable(step + QStringLiteral(", line %1").arg(line)));
        }
    }

    // Edits at the caret as a user makes them; "ime" commits an input method's text, "type"
    // inserts without key events.
    void act(const QString &action, const QString &piece = QString())
    {
        static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {"return", {Qt::Key_Return, Qt::NoModifier}},
            {"delete", {Qt::Key_Delete, Qt::NoModifier}},
            {"backspace", {Qt::Key_Backspace, Qt::NoModifier}},
            {"indent", {Qt::Key_Tab, Qt::NoModifier}},
            {"outdent", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"paste", {Qt::Key_V, Qt::ControlModifier}}};
        PasteInputTextView *view = m_editor->textView();
        if (action == QLatin1String("paste"))
            Pasteboard::setString(piece);
        if (keys.contains(action)) {
            QTest::keyClick(view, keys[action].first, keys[action].second);
        } else if (action == QLatin1String("ime")) {
            QInputMethodEvent commit;
            commit.setCommitString(piece);
            QApplication::sendEvent(view, &commit);
        } else if (action == QLatin1String("keys")) {
            QTest::keyClicks(view, piece);
        } else if (action == QLatin1String("type")) {
            view->insertPlainTextAtCursor(piece);
        }
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
        const int from = random.bounded(length + 1);
        placeCaret(from);
        const int roll = random.bounded(100);
        if (roll < 54) { // an edit at the caret, some over a selection that may end in a badge
            name = m_edits[roll < 15   ? 0
                           : roll < 34 ? 1 + roll % 3
                           : roll < 42 ? 4
                           : roll < 48 ? 5
                                       : 6];
            if (name == QLatin1String("delete") || (roll >= 15 && roll < 34 && roll % 2 == 0))
                placeCaret(std::min(length, from + random.bounded(6)), from);
            const std::pair<int, int> range = {view->textCursor().selectionStart(),
                                               view->textCursor().selectionEnd()};
            act(name, name == QLatin1String("ime") ? piece.trimmed() : piece);
            return range;
        }
        static const QStringList others = {"fold", "unfold", "unfoldAll", "undo", "redo"};
        name = others[roll < 68 ? 0 : roll < 76 ? 1 : roll < 79 ? 2 : roll < 92 ? 3 : 4];
        const QList<int> folded = m_editor->foldedLineIndices();
        if (name == QLatin1String("fold"))
            m_editor->foldLine(random.bounded(view->document()->blockCount()));
        else if (name == QLatin1String("unfold") && !folded.isEmpty())
            m_editor->unfoldLine(folded[random.bounded(folded.size())]);
        else if (name == QLatin1String("unfoldAll"))
            m_editor->unfoldAll();
        else if (name == QLatin1String("undo"))
            view->undo();
        else if (name == QLatin1String("redo"))
            view->redo();
        return {from, from};
    }

    const QStringList m_edits = {"type", "return", "paste", "ime", "delete", "indent", "outdent"};
    std::unique_ptr<PasteInputViewController> m_editor;
};

QTEST_MAIN(TestLineFolding)
#include "tst_linefolding.moc"
