#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <functional>

class QTextBlock;
class QTextDocument;

// Indentation-based folding over the editor's document, a model without widgets.
//
// Folding removes a block's lines from the text and keeps them aside under a fold id; the
// folded line gets the badge " …" at its end. The badge's two characters carry the fold id
// as a character property, so the badge *is* the fold: it moves with its line when lines
// above are inserted or removed, and undo/redo bring it back or take it away together with
// the text. A badge that is not the last two characters of its line, or whose id is unknown,
// is ordinary text. Hidden blocks are kept as document fragments, so the badges of folds
// nested inside them come back alive when their parent is unfolded.
//
// Costs: isFolded/badgeLength/isFoldable look at one or two lines, foldableLines at the lines
// asked for; foldedLines is proportional to the number of folds ever made since the last clear
// (usually a handful); fold/unfold touch only the lines involved.
class LineFolding
{
public:
    // The fold id lives in this character property of the badge's two characters.
    static constexpr int FoldIdProperty = 0x100000 + 0x5a6f;
    static const QString &badge(); // " …"

    explicit LineFolding(QTextDocument *document);

    // Told of each replacement the folding makes in the text, one by one: `removed` characters
    // at `position` became `added` characters. (The document reports an edit block's changes
    // only as one span.)
    std::function<void(int position, int removed, int added)> onReplace;

    // indentLevel: spaces count 1, tabs 4, leading width / 4 rounded down. The indent guides
    // draw one line per level.
    static int indentLevel(QStringView line);
    // A line's level without its fold badge, whose space is not the user's indentation.
    static int indentLevel(const QTextBlock &block);
    // 2 when the block ends with a fold badge, else 0 (for the counter and the colouring).
    static int badgeLength(const QTextBlock &block);
    // The fold id of the block's badge, 0 when it has none.
    static int badgeId(const QTextBlock &block);

    bool isFoldable(int line) const;
    // The foldable lines among first...last, in one walk over them (the lines on screen).
    QSet<int> foldableLines(int first, int last) const;
    // First line after the block that folding `line` would hide (exclusive end).
    int foldRangeEnd(int line) const;
    bool isFolded(int line) const;
    bool isFolded(const QTextBlock &block) const;
    // Folded lines in ascending order.
    QList<int> foldedLines() const;
    // Offsets of the badges of folded lines in ascending order.
    QList<int> badgePositions() const;
    // Hidden text of each folded line: its hidden lines joined with "\n", plus a final "\n".
    QMap<int, QString> hiddenTextByFoldLine() const;

    // Each is one undoable edit; false when nothing changed.
    bool fold(int line);
    bool unfold(int line);
    bool unfoldAll();

    // The text with every fold opened, nested ones inside their parents (what unfoldAll gives).
    QString expandedText() const;
    // The text with the badge of every folded line removed (what is counted and confirmed).
    QString textWithoutFoldBadges() const;

    // After a user's edit: a fold whose badge had text joined onto it (the line break after
    // it deleted) opens, so the joined text follows its hidden lines as it would in the open
    // text. Part of the same undo step as the edit; false when no fold opened.
    bool openJoinedFolds();

    // Keeps the badge anchors current; connect to QTextDocument::contentsChange.
    void documentChanged(int position, int charsRemoved, int charsAdded);
    // Forgets every fold (the text is being replaced wholesale).
    void clear();

private:
    struct Fold
    {
        QTextDocumentFragment hidden;
        QString opened;    // the hidden lines as plain text, nested folds opened
        QTextCursor badge; // at the badge's first character while the fold is live
    };

    void replaced(int position, int removed, int added);
    // The lines from block to last joined with "\n", every fold among them opened.
    QString openedText(QTextBlock block, const QTextBlock &last) const;
    int liveFoldId(const QTextBlock &block) const;
    bool isLive(int id) const;
    bool hasWholeBadgeAt(int position, int id) const;
    void anchorBadgesIn(int from, int to);
    void unfoldInto(QTextCursor &editCursor, int id);
    QList<int> liveIdsDescending() const;

    QTextDocument *m_document;
    QHash<int, Fold> m_folds;
    int m_nextId = 1;
};
