#pragma once

#include <QList>
#include <QTextBlock>
#include <optional>

class QPlainTextEdit;

// The laid-out lines of a text view that are on screen, in its viewport's coordinates.
// Walks only the visible blocks, so its cost follows the viewport, never the text.
class TextViewRows
{
public:
    struct Row
    {
        QTextBlock block;
        qreal top = 0;            // top of the block's first visual row
        qreal firstRowHeight = 0; // height of that row
        qreal height = 0;         // the whole block, all its wrapped rows
    };

    // Rows of the visible blocks that meet the band [top, bottom) of the viewport.
    static QList<Row> visible(const QPlainTextEdit &view, qreal top, qreal bottom);
    // Rows of every block that meets the viewport.
    static QList<Row> visible(const QPlainTextEdit &view);
    // x of the left edge of the text (where a line without indentation starts).
    static qreal textLeft(const QPlainTextEdit &view);
    // The geometry of one block if it is on screen.
    static std::optional<Row> rowOf(const QPlainTextEdit &view, int blockNumber);
};
