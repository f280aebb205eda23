#include "EditorViewFixture.h"

#include "editor/EditorThemePalette.h"
#include "editor/PasteInputViewController.h"

#include <QStandardPaths>
#include <QTest>

namespace {

QString numberedLines(int count)
{
    return QStringList(count, QStringLiteral("line")).join(u'\n');
}

const QString wrapped =
    QStringLiteral("short\n") + QStringLiteral("wrap ").repeated(40) + QStringLiteral("\nend");

QColor pixel(QWidget *widget, qreal y)
{
    return widget->grab().toImage().pixelColor(2, int(y));
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
        QTest::addColumn<int>("count");
        QTest::newRow("empty text has one line") << QString() << 1;
        QTest::newRow("trailing line feed numbers the empty last line") << "a\n" << 2;
        QTest::newRow("a wrapped line is one number") << wrapped << 3;
    }

    void linesAreNumberedOncePerLine()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        EditorViewFixture f(text);
        QCOMPARE(f.gutter->visibleRows().size(), count);
        QCOMPARE(f.gutter->displayLineCount(), count);
    }

    // The number and the band of a wrapped line sit on its first row, wherever the caret is in it.
    void wrappedLineIsNumberedAndBandedOnItsFirstRow()
    {
        EditorViewFixture f(wrapped);
        const int wrappedRows = f.text->document()->findBlockByNumber(1).layout()->lineCount();
        QVERIFY(wrappedRows >= 3);
        const auto first = f.row(0), second = f.row(1), last = f.row(2);
        QCOMPARE(second->height, first->height);
        QVERIFY(qAbs(last->top - second->top - wrappedRows * first->height) < 1.5);
        QTextCursor caret(f.text->document()->findBlockByNumber(1));
        caret.movePosition(QTextCursor::EndOfBlock);
        f.text->setTextCursor(caret);
        const EditorThemePalette &palette = f.gutter->palette();
        QCOMPARE(pixel(f.gutter, second->top + 1), palette.lineNumberActiveBackground);
        QCOMPARE(pixel(f.gutter, second->top + second->height + 2), palette.gutterBackground);
        QCOMPARE(pixel(f.gutter, first->top + 1), palette.gutterBackground);
        caret.setPosition(0); // a selection bands its first line
        caret.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        f.text->setTextCursor(caret);
        QCOMPARE(f.gutter->activeLineIndex(), std::optional<int>(0));
    }

    void rowsFollowScrolling()
    {
        EditorViewFixture f(numberedLines(200));
        const qreal topBefore = f.gutter->visibleRows().first().top;
        f.text->verticalScrollBar()->setValue(50);
        QCOMPARE(f.gutter->visibleRows().first().line, 50);
        QCOMPARE(f.gutter->visibleRows().first().top, 0.0);
        QVERIFY(f.gutter->visibleRows().size() < 30); // only what is on screen
        f.text->verticalScrollBar()->setValue(0);
        QCOMPARE(f.gutter->visibleRows().first().top, topBefore);
    }

    void widthFollowsTheNumberOfDigits()
    {
        EditorViewFixture f(numberedLines(99));
        const int twoDigits = f.gutter->width();
        f.text->moveCursor(QTextCursor::End);
        QTest::keyClick(f.text, Qt::Key_Return);
        QTRY_VERIFY(f.gutter->width() > twoDigits);
        QTest::keyClick(f.text, Qt::Key_Backspace);
        QTRY_COMPARE(f.gutter->width(), twoDigits);
    }

    // A click on a line's fold button folds or unfolds it; a press let go elsewhere does nothing.
    void editorFoldsAndUnfoldsFromTheGutter()
    {
        PasteInputViewController editor;
        editor.resize(480, 320);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.loadText(QStringLiteral("a\n    b\nc\n    d"));
        PasteInputGutterView *gutter = editor.gutterView();
        const auto button = [gutter](int row) {
            return gutter->foldButtonRect(gutter->visibleRows().at(row)).center().toPoint();
        };
        QTest::mouseClick(gutter, Qt::LeftButton, {}, button(2));
        QCOMPARE(editor.text(), QStringLiteral("a\n    b\nc …"));
        QTest::mouseClick(gutter, Qt::LeftButton, {}, button(2));
        QCOMPARE(editor.text(), QStringLiteral("a\n    b\nc\n    d"));
        QTest::mousePress(gutter, Qt::LeftButton, {}, button(0));
        QTest::mouseRelease(gutter, Qt::LeftButton, {}, button(2));
        QCOMPARE(editor.text(), QStringLiteral("a\n    b\nc\n    d"));
    }
};

QTEST_MAIN(TestPasteInputGutterView)
#include "tst_pasteinputgutterview.moc"
