#include "EditorViewFixture.h"

#include "editor/TextViewRows.h"

#include <QStandardPaths>
#include <QTest>

namespace {

// Guide x positions of one line, in space widths from the left edge of the text.
QList<qreal> guideColumns(const EditorViewFixture &f, int line)
{
    const auto row = f.row(line);
    const qreal space = QFontMetricsF(f.text->font()).horizontalAdvance(u' ');
    const qreal left = TextViewRows::textLeft(*f.text);
    const qreal viewportTop =
        row->top - f.gutter->mapFromGlobal(f.text->viewport()->mapToGlobal(QPoint())).y();
    QList<qreal> columns;
    for (const QLineF &segment : f.guides->guideSegments())
        if (qAbs(segment.y1() - viewportTop) < 0.01)
            columns.append(qRound((segment.x1() - left) / space * 100) / 100.0);
    return columns;
}

} // namespace

class TestPasteInputIndentGuideView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void guidesRunThroughTheMiddleOfEachStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QList<qreal>>("columns");
        const auto row = [](const char *name, const char *text, int line, QList<qreal> columns) {
            QTest::newRow(name) << QString(text) << line << columns;
        };
        row("eight spaces: two guides", "        x", 0, {2, 6});
        row("three spaces: level 0", "   x", 0, {});
        row("two spaces and a tab: level 1", "  \tx", 0, {2});
        row("tab after four spaces", "    \tx", 0, {2, 6});
        row("only leading white space counts", "    x    y", 0, {2});
        row("empty line between indented lines has none", "        a\n\n        b", 1, {});
        row("indented line after an empty one", "        a\n\n        b", 2, {2, 6});
    }

    void guidesRunThroughTheMiddleOfEachStep()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        EditorViewFixture f(text);
        QTEST(guideColumns(f, line), "columns");
    }

    // Wrapped rows start at the left edge, under the guides: they get none.
    void guidesSpanTheFirstRowOfTheirLine()
    {
        EditorViewFixture f(QStringLiteral("        ") + QStringLiteral("wrap ").repeated(60));
        const QTextLayout *layout = f.text->document()->firstBlock().layout();
        QVERIFY(layout->lineCount() > 1);
        const QList<QLineF> segments = f.guides->guideSegments();
        QCOMPARE(segments.size(), 2);
        for (const QLineF &segment : segments)
            QCOMPARE(segment.y2() - segment.y1(), layout->lineAt(0).height());
    }

    void onlyVisibleLinesAreWalked()
    {
        EditorViewFixture f(QStringList(5000, QStringLiteral("    line")).join(u'\n'));
        const int onScreen = int(f.guides->guideSegments().size());
        QVERIFY(onScreen > 5 && onScreen < 40);
        f.text->verticalScrollBar()->setValue(4000);
        QVERIFY(qAbs(f.guides->guideSegments().size() - onScreen) <= 1); // a partly shown row
        // A repaint of one row asks for that row's guides only.
        const QLineF first = f.guides->guideSegments().first();
        QCOMPARE(f.guides->guideSegments(QRectF(0, first.y1(), 100, 1)).size(), 1);
    }
};

QTEST_MAIN(TestPasteInputIndentGuideView)
#include "tst_pasteinputindentguideview.moc"
