#pragma once

#include <QBasicTimer>
#include <QPlainTextEdit>

#include <functional>

// The editor's text view. It hands the commands the editor intercepts (Tab, Shift+Tab,
// paste, Return) and the confirm chords to its controller before doing anything itself,
// inserts only plain text, and keeps typed text from taking on a fold badge's identity.
class PasteInputTextView : public QPlainTextEdit
{
    Q_OBJECT

public:
    // unfoldCaretLine: a deletion would reach into the fold badge of the caret's line.
    enum class Command { insertTab, insertBacktab, paste, insertNewline, unfoldCaretLine };

    explicit PasteInputTextView(QWidget *parent = nullptr);

    // Returns true when the controller handled the command.
    std::function<bool(Command)> onCommand;
    // Returns true when the controller consumed the key as a confirm chord.
    std::function<bool(const QKeyEvent &)> onKeyChord;

    // An input-method composition is in progress (the preedit string is not empty).
    bool hasMarkedText() const { return m_hasMarkedText; }
    // Inserts plain text over the selection as one undoable edit; at a fold badge, a line break
    // and what follows it go after the badge.
    void insertPlainTextAtCursor(const QString &text);
    // First and last line (block) with a part on screen.
    std::pair<int, int> visibleLineRange() const;
    // The caret is drawn in this colour (Qt would invert the background instead).
    void setCaretColor(const QColor &color);
    QColor caretColor() const { return m_caretColor; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    bool runCommand(Command command);
    // Where the fold badge at the end of position's line starts, when position is at it
    // (before, inside or after it); -1 otherwise.
    int foldBadgeStart(int position) const;
    void stepOverFoldBadges();
    bool guardFoldBadge(QKeyEvent *event);
    bool joinsFoldedLine(const QKeyEvent &event) const;
    void moveCaretBeforeFoldBadge();
    void dropBadgeIdentity();
    void restartCaretBlink();
    QRect caretRect() const;

    bool m_hasMarkedText = false;
    int m_lastCaretPosition = 0;
    QColor m_caretColor;
    QBasicTimer m_caretBlink;
    bool m_caretShown = false;
    QRect m_paintedCaret;
};
