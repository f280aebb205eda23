#include "EditorViewFixture.h"

#include "editor/EditorThemePalette.h"
#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <cmath>

namespace {

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("line %1").arg(i + 1));
    return lines.join(u'\n');
}

QPoint centre(const QRectF &rect)
{
    return rect.center().toPoint();
}

QColor pixel(QWidget *widget, const QPointF &point)
{
    return widget->grab().toImage().pixelColor(point.toPoint());
}

} // namespace

class TestPasteInputGutterView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void linesAreNumberedOncePerLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<int>("count");

        QTest::newRow("empty text has one line") << QString() << QList<int>{0} << 1;
        QTest::newRow("trailing line feed numbers the empty last line")
            << QStringLiteral("a\n") << QList<int>{0, 1} << 2;
        QTest::newRow("a wrapped line is one number")
            << QStringLiteral("short\n") + QStringLiteral("wrap ").repeated(40) +
                   QStringLiteral("\nend")
            << QList<int>{0, 1, 2} << 3;
        // Folded lines are out of the text, so the lines after a fold are numbered on.
        QTest::newRow("folded line with its badge")
            << QStringLiteral("a …\nc") << QList<int>{0, 1} << 2;
    }

    void linesAreNumberedOncePerLine()
    {
        QFETCH(QString, text);
        EditorViewFixture f(text);
        QTEST(f.visibleLines(), "lines");
        QTEST(f.gutter->displayLineCount(), "count");
    }

    void wrappedLineIsNumberedAndBandedOnItsFirstRow()
    {
        EditorViewFixture f(QStringLiteral("short\n") + QStringLiteral("wrap ").repeated(40) +
                            QStringLiteral("\nend"));
        const int wrappedRows = f.text->document()->findBlockByNumber(1).layout()->lineCount();
        QVERIFY(wrappedRows >= 3);
        const auto first = f.row(0), wrapped = f.row(1), last = f.row(2);
        // Each number sits on one row's height; the next number waits below all wrapped rows.
        QCOMPARE(wrapped->height, first->height);
        QVERIFY(qAbs(last->top - wrapped->top - wrappedRows * first->height) < 1.5);
        // The caret on the wrapped line's last row still bands its first row, and only that.
        QTextCursor caret(f.text->document()->findBlockByNumber(1));
        caret.movePosition(QTextCursor::EndOfBlock);
        f.text->setTextCursor(caret);
        QCOMPARE(f.gutter->activeLineIndex(), std::optional<int>(1));
        const EditorThemePalette &palette = f.gutter->palette();
        QCOMPARE(pixel(f.gutter, QPointF(2, wrapped->top + 1)), palette.lineNumberActiveBackground);
        QCOMPARE(pixel(f.gutter, QPointF(2, wrapped->top + wrapped->height + 2)),
                 palette.gutterBackground);
    }

    void rowsFollowScrolling()
    {
        EditorViewFixture f(numberedLines(200));
        const qreal topBefore = f.gutter->visibleRows().first().top;
        f.text->verticalScrollBar()->setValue(50);
        QCOMPARE(f.visibleLines().first(), 50);
        QCOMPARE(f.gutter->visibleRows().first().top, 0.0);
        QVERIFY(f.visibleLines().size() < 30); // only what is on screen
        f.text->verticalScrollBar()->setValue(0);
        QCOMPARE(f.visibleLines().first(), 0);
        QCOMPARE(f.gutter->visibleRows().first().top, topBefore);
    }

    void widthFollowsTheNumberOfDigits()
    {
        EditorViewFixture f(numberedLines(9));
        const int twoDigits = f.gutter->width();
        QCOMPARE(twoDigits, int(std::ceil(PasteInputGutterView::gutterWidth(9))));
        f.text->moveCursor(QTextCursor::End);
        QTest::keyClick(f.text, Qt::Key_Return); // 10 lines: two digits are the minimum anyway
        QCOMPARE(f.gutter->preferredWidth(), twoDigits);
        f.text->setPlainText(numberedLines(99));
        f.text->moveCursor(QTextCursor::End);
        QTest::keyClick(f.text, Qt::Key_Return);
        QCOMPARE(f.gutter->displayLineCount(), 100);
        QCOMPARE(f.gutter->preferredWidth(),
                 int(std::ceil(PasteInputGutterView::gutterWidth(100))));
        QTRY_COMPARE(f.gutter->width(), f.gutter->preferredWidth());
        QVERIFY(f.gutter->width() > twoDigits);
        QTest::keyClick(f.text, Qt::Key_Backspace);
        QTRY_COMPARE(f.gutter->width(), twoDigits);
    }

    // The active line is the caret's, or a selection's first line, whichever way it was made.
    void bandFollowsTheCaretLine()
    {
        EditorViewFixture f(numberedLines(8));
        const EditorThemePalette &palette = f.gutter->palette();
        f.moveCaretToLine(2);
        QCOMPARE(f.gutter->activeLineIndex(), std::optional<int>(2));
        f.moveCaretToLine(4);
        QCOMPARE(f.gutter->activeLineIndex(), std::optional<int>(4));
        // The band is painted behind row 4 only; row 2 is back on the plain background.
        QCOMPARE(pixel(f.gutter, QPointF(2, f.row(4)->top + 1)),
                 palette.lineNumberActiveBackground);
        QCOMPARE(pixel(f.gutter, QPointF(2, f.row(2)->top + 1)), palette.gutterBackground);
        QCOMPARE(f.gutter->bandRect(*f.row(4)),
                 QRectF(0, f.row(4)->top, f.gutter->width(), f.row(4)->height));
        for (const auto &[anchor, position] : {std::pair(4, 1), std::pair(2, 5)}) {
            QTextCursor cursor(f.text->document()->findBlockByNumber(anchor));
            cursor.setPosition(f.text->document()->findBlockByNumber(position).position(),
                               QTextCursor::KeepAnchor);
            f.text->setTextCursor(cursor);
            QCOMPARE(f.gutter->activeLineIndex(), std::optional<int>(std::min(anchor, position)));
        }
    }

    void foldButtonClicksAreReported_data()
    {
        QTest::addColumn<int>("pressLine");
        QTest::addColumn<int>("releaseLine");
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("foldable line") << 1 << 1 << QList<int>{1};
        QTest::newRow("folded line") << 3 << 3 << QList<int>{3};
        QTest::newRow("line without a button") << 0 << 0 << QList<int>{};
        QTest::newRow("released on another button") << 1 << 3 << QList<int>{};
    }

    void foldButtonClicksAreReported()
    {
        QFETCH(int, pressLine);
        QFETCH(int, releaseLine);
        QFETCH(QList<int>, expected);
        EditorViewFixture f(QStringLiteral("a\nb\n    c\nd …\ne"));
        QSignalSpy taps(f.gutter, &PasteInputGutterView::gutterDidTapFold);
        f.gutter->setFoldableLineIndices({1, 3});
        f.gutter->setFoldedLineIndices({3});
        QTest::mousePress(f.gutter, Qt::LeftButton, {},
                          centre(f.gutter->foldButtonRect(*f.row(pressLine))));
        QTest::mouseRelease(f.gutter, Qt::LeftButton, {},
                            centre(f.gutter->foldButtonRect(*f.row(releaseLine))));
        QList<int> tapped;
        for (const QList<QVariant> &tap : taps)
            tapped.append(tap.at(0).toInt());
        QCOMPARE(tapped, expected);
    }

    void editorFoldsAndUnfoldsFromTheGutter()
    {
        PasteInputViewController editor;
        editor.resize(480, 320);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.loadText(QStringLiteral("a\n    b\nc"));
        auto *gutter = qobject_cast<PasteInputGutterView *>(editor.gutterView());
        QVERIFY(gutter);
        QCOMPARE(gutter->textView(), editor.textView());
        const auto rowOf = [gutter](int line) {
            for (const PasteInputGutterView::Row &row : gutter->visibleRows())
                if (row.line == line)
                    return row;
            return PasteInputGutterView::Row{-1, 0, 0};
        };
        QCOMPARE(gutter->foldableLineIndices(), QSet<int>{0});
        QVERIFY(gutter->hasFoldButton(0));
        QTest::mouseClick(gutter, Qt::LeftButton, {}, centre(gutter->foldButtonRect(rowOf(0))));
        QCOMPARE(editor.text(), QStringLiteral("a …\nc"));
        QCOMPARE(gutter->foldedLineIndices(), QSet<int>{0});
        QCOMPARE(gutter->foldButtonToolTip(0), QStringLiteral("クリックで戻す（開く）"));
        QTest::mouseClick(gutter, Qt::LeftButton, {}, centre(gutter->foldButtonRect(rowOf(0))));
        QCOMPARE(editor.text(), QStringLiteral("a\n    b\nc"));
        QVERIFY(gutter->foldedLineIndices().isEmpty());
    }
};

QTEST_MAIN(TestPasteInputGutterView)
#include "tst_pasteinputgutterview.moc"
