#pragma once

#include "editor/BlockHighlighter.h"
#include "editor/EditorThemePalette.h"
#include "editor/SyntaxRole.h"
#include "model/EditorLanguage.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>

#include <functional>
#include <memory>

class QPlainTextEdit;
class QTextDocument;

// The editor's syntax colouring: paints the language's rules and the fold badges onto the text
// view's lines as layout formats (the text itself and its undo history are never touched).
//
// The colours are always exactly those of the rules applied in order over the whole text, but
// a recolouring only works on what changed: each line keeps the state its text leaves open for
// the next line and a summary of the text after it (see BlockHighlighter), and a recolouring
// runs over the edited lines, then on to following lines only while the state they hand on
// changes, and back to earlier lines only while the summary they see changes. A keystroke thus
// usually recolours one line whatever the length of the text.
//
// Edits are collected as they happen; restyle() colours them. While an input method is
// composing, nothing is recoloured (the composing line keeps its colours around the marked
// text); the collected edits are coloured when the composition ends.
class SyntaxHighlighter : public QObject
{
    Q_OBJECT

public:
    // Length of the fold badge ending a line: 2 when the line is folded and ends with " …".
    using FoldBadgeProbe = std::function<int(const QTextBlock &)>;

    explicit SyntaxHighlighter(QPlainTextEdit *textView);
    ~SyntaxHighlighter() override;

    // Each takes effect at the next restyle().
    void setLanguage(EditorLanguage language);
    void setColors(const EditorThemePalette &palette);
    void setFoldBadgeProbe(FoldBadgeProbe probe);

    // Brings the colours up to date with every edit since the last call; deferred while an input
    // method is composing.
    void restyle();
    // An input-method composition (marked text) is in progress in the text view.
    bool isComposing() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Run
    {
        int start;
        int length;
        SyntaxRole role;
        bool badge;
        bool operator==(const Run &) const = default;
    };
    class BlockData;

    QTextDocument *document() const;
    void documentChanged(int position, int charsRemoved, int charsAdded);
    void recolour(const QTextBlock &first, const QTextBlock &last);
    QTextBlock updateFollowing(const QTextBlock &first, const QTextBlock &last);
    BlockHighlighter::Following followingAfter(const QTextBlock &block);
    BlockHighlighter::State recolourBlock(QTextBlock &block, const QString &text,
                                          BlockHighlighter::State start, BlockData *data);
    QList<Run> runsFor(const std::vector<SyntaxRole> &roles, int badgeLength) const;
    void applyRuns(const QTextBlock &block, const QList<Run> &runs);
    void markChanged(const QTextBlock &block);
    void flushChanged();
    void reapplyAllFormats();
    void restoreAfterInputMethod(int composingBefore);
    bool isPendingRecolour(const QTextBlock &block) const;
    QTextCharFormat format(SyntaxRole role, bool badge);
    static BlockData *dataOf(QTextBlock &block);

    QPointer<QPlainTextEdit> m_textView;
    EditorLanguage m_language = EditorLanguage::plain;
    std::unique_ptr<BlockHighlighter> m_engine;
    SyntaxColors m_syntax;
    QColor m_badgeBackground;
    QColor m_badgeText;
    QHash<int, QTextCharFormat> m_formats;
    FoldBadgeProbe m_foldBadgeProbe;

    bool m_allPending = true;
    int m_pendingFrom = -1; // edited range not yet recoloured, in document positions
    int m_pendingTo = -1;
    bool m_formatsStale = false;
    bool m_restyleAfterComposing = false;
    bool m_applying = false;
    bool m_inInputMethod = false;
    QTextBlock m_firstChanged; // lines whose formats changed in this pass, to be laid out again
    QTextBlock m_lastChanged;
    QStringList m_editedTexts; // texts of the edited lines, last line first, during a pass
};
