#include "editor/TextViewRows.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextLayout>

namespace {

// QPlainTextEdit keeps its block geometry protected. Member pointers taken through this
// never-instantiated subclass read it from any text view, whichever subclass it is.
struct GeometryAccess : QPlainTextEdit
{
    using QPlainTextEdit::blockBoundingGeometry;
    using QPlainTextEdit::contentOffset;
    using QPlainTextEdit::firstVisibleBlock;
};

QTextBlock firstVisibleBlock(const QPlainTextEdit &view)
{
    return (view.*(&GeometryAccess::firstVisibleBlock))();
}

QPointF contentOffset(const QPlainTextEdit &view)
{
    return (view.*(&GeometryAccess::contentOffset))();
}

qreal blockTop(const QPlainTextEdit &view, const QTextBlock &block)
{
    return (view.*(&GeometryAccess::blockBoundingGeometry))(block).top() + contentOffset(view).y();
}

qreal firstRowHeight(const QTextBlock &block, qreal blockHeight)
{
    const QTextLayout *layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return layout->lineAt(0).height();
    return blockHeight;
}

} // namespace

QList<TextViewRows::Row> TextViewRows::visible(const QPlainTextEdit &view, qreal top, qreal bottom)
{
    QList<Row> rows;
    QTextBlock block = firstVisibleBlock(view);
    if (!block.isValid())
        return rows;
    const QAbstractTextDocumentLayout *layout = view.document()->documentLayout();
    qreal y = blockTop(view, block);
    for (; block.isValid() && y < bottom; block = block.next()) {
        if (!block.isVisible())
            continue;
        const qreal height = layout->blockBoundingRect(block).height();
        if (y + height > top)
            rows.append(Row{block, y, firstRowHeight(block, height), height});
        y += height;
    }
    return rows;
}

QList<TextViewRows::Row> TextViewRows::visible(const QPlainTextEdit &view)
{
    return visible(view, 0, view.viewport()->height());
}

qreal TextViewRows::textLeft(const QPlainTextEdit &view)
{
    const QTextBlock block = firstVisibleBlock(view); // laid out, unlike blocks off screen
    const QTextLayout *layout = block.layout();
    const qreal lineX = layout && layout->lineCount() > 0 ? layout->lineAt(0).x()
                                                          : view.document()->documentMargin();
    return contentOffset(view).x() + lineX;
}

std::optional<TextViewRows::Row> TextViewRows::rowOf(const QPlainTextEdit &view, int blockNumber)
{
    const QTextBlock first = firstVisibleBlock(view);
    if (!first.isValid() || blockNumber < first.blockNumber())
        return std::nullopt;
    for (const Row &row : visible(view))
        if (row.block.blockNumber() == blockNumber)
            return row;
    return std::nullopt;
}
