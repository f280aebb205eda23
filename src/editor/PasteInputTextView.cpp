#include "editor/PasteInputTextView.h"

#include "editor/LineFolding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>

PasteInputTextView::PasteInputTextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // The caret is painted here, in the theme's colour, and blinks on its own timer.
    setCursorWidth(0);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        dropBadgeIdentity();
        restartCaretBlink();
    });
}

bool PasteInputTextView::runCommand(Command command)
{
    return onCommand && onCommand(command);
}

// The badge stands for the hidden lines: deleting into it opens the fold instead, so the
// hidden lines are never lost to one keystroke, and text typed inside it goes before it.
bool PasteInputTextView::guardFoldBadge(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (cursor.hasSelection() || LineFolding::badgeLength(block) == 0)
        return false;
    const int badgeStart = block.position() + block.length() - 1 - 2;
    const int offset = cursor.position() - badgeStart; // 0 before, 1 inside, 2 after
    const bool backspace = event->key() == Qt::Key_Backspace;
    const bool forwardDelete = event->key() == Qt::Key_Delete;
    if ((backspace && offset >= 1) || (forwardDelete && offset >= 0 && offset <= 1))
        return runCommand(Command::unfoldCaretLine);
    if (offset == 1 && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        cursor.setPosition(badgeStart);
        setTextCursor(cursor);
    }
    return false;
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
    QPlainTextEdit::keyPressEvent(event);
}

void PasteInputTextView::inputMethodEvent(QInputMethodEvent *event)
{
    m_hasMarkedText = !event->preeditString().isEmpty();
    QPlainTextEdit::inputMethodEvent(event);
}

void PasteInputTextView::insertPlainTextAtCursor(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text, QTextCharFormat());
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
