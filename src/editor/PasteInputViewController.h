#pragma once

#include "editor/CharacterCounter.h"
#include "editor/EditorThemePalette.h"
#include "editor/LineFolding.h"
#include "editor/PasteInputTextView.h"

#include <QList>
#include <QSet>
#include <QTextBlock>
#include <QWidget>

#include <memory>

class PasteInputGutterView;
class PasteInputIndentGuideView;
class SyntaxHighlighter;
class QLabel;
class QPushButton;

// The plain-text editor of the panel: text view, line-number gutter, indent guides, character
// counter and the unfold-all button in one rounded container. It confirms its text (clipboard,
// then pasteInputDidConfirm), detects the double-newline trigger, indents and outdents, pastes
// plain text and keeps the folds. The controller is its own root view.
//
// Every reaction to an edit is proportional to the edit: the counter keeps per-line counts,
// the fold state lives in the text (see LineFolding), the gutter and guides look only at the
// lines on screen.
class PasteInputViewController : public QWidget
{
    Q_OBJECT

public:
    explicit PasteInputViewController(QWidget *parent = nullptr);
    ~PasteInputViewController() override;

    // Replaces the whole text; not an undoable edit. Clears folds and the confirm offset.
    void loadText(const QString &text);
    // Confirms the whole text without fold badges, trimmed; nothing happens when it is empty.
    void confirmText();
    void unfoldAll();
    QString textWithoutFoldBadges() const;
    // The confirm chords: Ctrl+Return, Super+Alt+Return confirm, Ctrl+Escape clears,
    // Ctrl+Shift+U unfolds all. True when the event was one of them (and was acted on).
    bool handleKeyChord(const QKeyEvent &event);

    void foldLine(int line);
    void unfoldLine(int line);
    // The gutter's fold button on line `line` was clicked.
    void gutterDidTapFold(int line);

    void applySettings();
    void restyleText();
    void layoutTextView();
    void refreshFoldState();
    void gutterNeedsRefresh();

    // Fold state for the gutter and the colouring (line indices counted at "\n").
    bool isFoldableLine(int line) const { return m_folding->isFoldable(line); }
    bool isFoldedLine(int line) const { return m_folding->isFolded(line); }
    QList<int> foldedLineIndices() const { return m_folding->foldedLines(); }
    QMap<int, QString> hiddenTextByFoldLine() const { return m_folding->hiddenTextByFoldLine(); }
    // The text as unfoldAll would leave it.
    QString expandedText() const { return m_folding->expandedText(); }

    // The text as the editor holds it (badges included), lines joined with "\n".
    QString text() const;
    int lastDoubleNewlineConfirmEnd() const { return m_lastDoubleNewlineConfirmEnd; }
    bool isApplyingProgrammaticTextChange() const { return m_isApplyingProgrammaticTextChange; }
    qint64 characterCount() const { return m_counter->count(); }

    PasteInputTextView *textView() const { return m_textView; }
    // The text view is its own scroll view.
    QAbstractScrollArea *scrollView() const { return m_textView; }
    PasteInputGutterView *gutterView() const { return m_gutterView; }
    PasteInputIndentGuideView *indentGuideView() const { return m_indentGuideView; }
    QLabel *characterCountLabel() const { return m_characterCountLabel; }
    QPushButton *unfoldAllButton() const { return m_unfoldAllButton; }
    QWidget *inputContainer() const { return m_inputContainer; }

public slots:
    void unfoldAllTapped();

signals:
    // A successful confirm, after the clipboard already holds the text; text is trimmed and
    // never empty.
    void pasteInputDidConfirm(const QString &text);
    // The whole text was replaced by loadText (a memo, a card, clearing).
    void textLoaded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadView();
    void configureTextView();
    void configureCounterAndButton();
    void attachGutterAndGuides();
    void applyTheme();
    void layoutContainer();

    void textDidChange();
    void documentContentsChanged(int position, int charsRemoved, int charsAdded);
    bool doCommand(PasteInputTextView::Command command);
    bool handleDoubleNewline();
    void confirmDoubleNewlineSegment();
    void deliver(const QString &confirmed);
    void carryConfirmOffset(int position, int removed, int added);
    void updateCounter();
    // What follows every change of the text: the user's, the editor's own and a load.
    void followTextChange(bool restyle);

    // First and last line the selection touches (the caret's line when nothing is selected).
    std::pair<QTextBlock, QTextBlock> selectedLines() const;
    void indentLines();
    void outdentLines();
    void pastePlainText();
    // Runs edit as one undo step with text-change handling suspended.
    template <typename Edit> bool programmaticEdit(Edit edit);

    QWidget *m_inputContainer = nullptr;
    PasteInputGutterView *m_gutterView = nullptr;
    PasteInputIndentGuideView *m_indentGuideView = nullptr;
    PasteInputTextView *m_textView = nullptr;
    QLabel *m_characterCountLabel = nullptr;
    QPushButton *m_unfoldAllButton = nullptr;
    EditorThemePalette m_palette;
    std::unique_ptr<LineFolding> m_folding;
    std::unique_ptr<CharacterCounter> m_counter;
    SyntaxHighlighter *m_highlighter = nullptr; // child of the text view, made on first use
    bool m_isApplyingProgrammaticTextChange = false;
    int m_lastDoubleNewlineConfirmEnd = 0;
    int m_lastRevision = -1;
    int m_gutterWidth = 0;
};
