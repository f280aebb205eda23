#include "editor/PasteInputTextView.h"

#include "editor/LineFolding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>

#include <utility>

PasteInputTextView::PasteInputTextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // The caret is painted here, in the theme's colour, and blinks on its own timer.
    setCursorWidth(0);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        stepOverFoldBadges();
        dropBadgeIdentity();
        restartCaretBlink();
    });
}

int PasteInputTextView::foldBadgeStart(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    if (LineFolding::badgeLength(block) == 0)
        return -1;
    const int start = block.position() + block.length() - 1 - 2;
    return position >= start && position <= start + 2 ? start : -1;
}

// A fold badge is one unit: neither the caret nor an end of the selection rests between its
// space and its ellipsis. Moving forward steps over it, moving back steps before it; a
// selection reaching into it takes it whole.
void PasteInputTextView::stepOverFoldBadges()
{
    QTextCursor cursor = textCursor();
    int position = cursor.position();
    int anchor = cursor.anchor();
    const int previous = std::exchange(m_lastCaretPosition, position);
    const int positionBadge = foldBadgeStart(position);
    const int anchorBadge = foldBadgeStart(anchor);
    const bool positionInside = positionBadge >= 0 && position == positionBadge + 1;
    const bool anchorInside = anchorBadge >= 0 && anchor == anchorBadge + 1;
    if (!positionInside && !anchorInside)
        return;
    const bool selection = cursor.hasSelection();
    if (positionInside)
        position = position > previous ? positionBadge + 2 : positionBadge;
    if (!selection)
        anchor = position;
    else if (anchorInside)
        anchor = position > anchor ? anchorBadge : anchorBadge + 2;
    m_lastCaretPosition = position;
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

bool PasteInputTextView::runCommand(Command command)
{
    return onCommand && onCommand(command);
}

// The badge stands for the hidden lines: deleting into it opens the fold instead, so the
// hidden lines are never lost to one keystroke, and text typed at it continues its line.
bool PasteInputTextView::guardFoldBadge(QKeyEvent *event)
{
    const QTextCursor cursor = textCursor();
    const int badgeStart = cursor.hasSelection() ? -1 : foldBadgeStart(cursor.position());
    if (badgeStart < 0)
        return false;
    const int offset = cursor.position() - badgeStart; // 0 before, 1 inside, 2 after
    const bool backspace = event->key() == Qt::Key_Backspace;
    const bool forwardDelete = event->key() == Qt::Key_Delete;
    if ((backspace && offset >= 1) || forwardDelete)
        return runCommand(Command::unfoldCaretLine);
    if (!event->text().isEmpty() && event->text().at(0).isPrint())
        moveCaretBeforeFoldBadge();
    return false;
}

// Backspace at the start of the line below a folded line joins onto its badge, and the fold
// then opens in the same undo step. Qt records a lone Backspace outside any edit block, where
// the opening cannot join it, so this Backspace gets an edit block of its own.
bool PasteInputTextView::joinsFoldedLine(const QKeyEvent &event) const
{
    const QTextCursor cursor = textCursor();
    return event.key() == Qt::Key_Backspace && !cursor.hasSelection() && cursor.atBlockStart() &&
           LineFolding::badgeLength(cursor.block().previous()) > 0;
}

void PasteInputTextView::moveCaretBeforeFoldBadge()
{
    QTextCursor cursor = textCursor();
    const int badgeStart = cursor.hasSelection() ? -1 : foldBadgeStart(cursor.position());
    if (badgeStart < 0 || cursor.position() == badgeStart)
        return;
    cursor.setPosition(badgeStart);
    setTextCursor(cursor);
}

void PasteInputTextView::keyPressEvent(QKeyEvent *event)
{
    if (onKeyChord && onKeyChord(*event))
        return;
    if (guardFoldBadge(event)) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    bool handled = false;
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier)
        handled = runCommand(Command::insertTab);
    else if (event->key() == Qt::Key_Backtab)
        handled = runCommand(Command::insertBacktab);
    else if (event->matches(QKeySequence::Paste))
        handled = runCommand(Command::paste);
    else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == 0) {
        handled = runCommand(Command::insertNewline);
        if (!handled) {
            // Always a line feed: Shift+Return would otherwise insert U+2028.
            insertPlainTextAtCursor(QStringLiteral("\n"));
            handled = true;
        }
    }
    if (handled) {
        event->accept();
        return;
    }
    if (joinsFoldedLine(*event)) {
        QTextCursor step = textCursor();
        step.beginEditBlock();
        QPlainTextEdit::keyPressEvent(event);
        step.endEditBlock();
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PasteInputTextView::inputMethodEvent(QInputMethodEvent *event)
{
    m_hasMarkedText = !event->preeditString().isEmpty();
    // Composed text continues a folded line before its badge, as typed text does.
    if (!event->preeditString().isEmpty() || !event->commitString().isEmpty())
        moveCaretBeforeFoldBadge();
    QPlainTextEdit::inputMethodEvent(event);
}

// At a fold badge the text up to its first line break continues the folded line before the
// badge, and the rest goes after it, below the hidden lines: the fold stays with its line.
void PasteInputTextView::insertPlainTextAtCursor(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int badgeStart = foldBadgeStart(cursor.position());
    if (badgeStart < 0) {
        cursor.insertText(text, QTextCharFormat());
    } else {
        const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
        const QString head = lineBreak < 0 ? text : text.left(lineBreak);
        const QString tail = text.mid(head.size());
        cursor.setPosition(badgeStart + 2);
        cursor.insertText(tail, QTextCharFormat());
        const int tailEnd = cursor.position();
        cursor.setPosition(badgeStart);
        cursor.insertText(head, QTextCharFormat());
        cursor.setPosition(tail.isEmpty() ? badgeStart + int(head.size())
                                          : tailEnd + int(head.size()));
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void PasteInputTextView::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText() && !source->text().isEmpty())
        insertPlainTextAtCursor(source->text());
}

void PasteInputTextView::dropBadgeIdentity()
{
    // New text takes the format of the character before it; right after a fold badge that
    // would make typed text part of the badge. With a selection, setting the format would
    // restyle the selected text (and strip a badge inside it), so only a bare caret is reset.
    if (!textCursor().hasSelection() &&
        currentCharFormat().hasProperty(LineFolding::FoldIdProperty))
        setCurrentCharFormat(QTextCharFormat());
}

std::pair<int, int> PasteInputTextView::visibleLineRange() const
{
    QTextBlock block = firstVisibleBlock();
    const int first = block.isValid() ? block.blockNumber() : 0;
    int last = first;
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const qreal bottom = viewport()->height();
    for (; block.isValid() && top < bottom; block = block.next()) {
        last = block.blockNumber();
        top += blockBoundingRect(block).height();
    }
    return {first, last};
}

void PasteInputTextView::setCaretColor(const QColor &color)
{
    m_caretColor = color;
    viewport()->update(caretRect());
}

QRect PasteInputTextView::caretRect() const
{
    QRect rect = cursorRect();
    rect.setWidth(2);
    return rect;
}

void PasteInputTextView::restartCaretBlink()
{
    viewport()->update(m_paintedCaret);
    m_paintedCaret = caretRect();
    viewport()->update(m_paintedCaret);
    m_caretShown = hasFocus();
    const int interval = QApplication::cursorFlashTime() / 2;
    if (m_caretShown && interval > 0)
        m_caretBlink.start(interval, this);
    else
        m_caretBlink.stop();
}

void PasteInputTextView::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    restartCaretBlink();
}

void PasteInputTextView::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    m_caretBlink.stop();
    m_caretShown = false;
    viewport()->update(caretRect());
}

void PasteInputTextView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_caretBlink.timerId()) {
        QPlainTextEdit::timerEvent(event);
        return;
    }
    m_caretShown = !m_caretShown;
    viewport()->update(caretRect());
}

void PasteInputTextView::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    if (!m_caretShown || isReadOnly() || textCursor().hasSelection())
        return;
    const QRect caret = caretRect();
    if (!event->rect().intersects(caret))
        return;
    QPainter painter(viewport());
    painter.fillRect(caret, m_caretColor.isValid() ? m_caretColor : palette().text().color());
}
