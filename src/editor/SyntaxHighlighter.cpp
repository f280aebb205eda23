#include "editor/SyntaxHighlighter.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <tuple>

using State = BlockHighlighter::State;
using Following = BlockHighlighter::Following;

// What a line keeps between recolourings, besides its end state (QTextBlock::userState).
class SyntaxHighlighter::BlockData : public QTextBlockUserData
{
public:
    Following following;                     // the summary of the text after the line
    BlockHighlighter::Dependence dependence; // which parts of it the colours depend on
    QList<Run> runs;                         // the colours now applied to the line's layout
    bool recolour = false;                   // the summary changed in a part that matters
    bool fresh = true;                       // never coloured
};

namespace {

QColor roleColor(const SyntaxColors &colors, SyntaxRole role)
{
    switch (role) {
    case SyntaxRole::comment:
        return colors.comment;
    case SyntaxRole::string:
        return colors.string;
    case SyntaxRole::keyword:
        return colors.keyword;
    case SyntaxRole::tag:
        return colors.tag;
    case SyntaxRole::attribute:
        return colors.attribute;
    case SyntaxRole::property:
        return colors.property;
    case SyntaxRole::number:
        return colors.number;
    case SyntaxRole::selector:
        return colors.selector;
    case SyntaxRole::none:
        break;
    }
    return {};
}

} // namespace

SyntaxHighlighter::SyntaxHighlighter(QPlainTextEdit *textView)
    : QObject(textView)
    , m_textView(textView)
    , m_engine(std::make_unique<BlockHighlighter>(m_language))
{
    connect(textView->document(), &QTextDocument::contentsChange, this,
            &SyntaxHighlighter::documentChanged);
    textView->installEventFilter(this);
}

SyntaxHighlighter::~SyntaxHighlighter() = default;

QTextDocument *SyntaxHighlighter::document() const
{
    return m_textView ? m_textView->document() : nullptr;
}

void SyntaxHighlighter::setLanguage(EditorLanguage language)
{
    if (language == m_language)
        return;
    m_language = language;
    m_engine = std::make_unique<BlockHighlighter>(language);
    m_allPending = true;
}

void SyntaxHighlighter::setColors(const EditorThemePalette &palette)
{
    if (palette.syntax == m_syntax && palette.foldBadgeBackground == m_badgeBackground &&
        palette.foldBadgeText == m_badgeText)
        return;
    m_syntax = palette.syntax;
    m_badgeBackground = palette.foldBadgeBackground;
    m_badgeText = palette.foldBadgeText;
    m_formats.clear();
    m_formatsStale = true;
}

void SyntaxHighlighter::setFoldBadgeProbe(FoldBadgeProbe probe)
{
    m_foldBadgeProbe = std::move(probe);
    m_allPending = true;
}

bool SyntaxHighlighter::isComposing() const
{
    if (!m_textView)
        return false;
    const QTextLayout *layout = m_textView->textCursor().block().layout();
    return layout && !layout->preeditAreaText().isEmpty();
}

void SyntaxHighlighter::documentChanged(int position, int charsRemoved, int charsAdded)
{
    if (m_applying)
        return;
    // Like QSyntaxHighlighter: a removal may have joined the line after the change to it.
    const int to = position + charsAdded + (charsRemoved > 0 ? 1 : 0);
    if (m_pendingFrom < 0) {
        m_pendingFrom = position;
        m_pendingTo = to;
        return;
    }
    const int removedEnd = position + charsRemoved;
    const int delta = charsAdded - charsRemoved;
    const auto moved = [&](int offset, int inside) {
        return offset >= removedEnd ? offset + delta : offset > position ? inside : offset;
    };
    m_pendingFrom = std::min(moved(m_pendingFrom, position), position);
    m_pendingTo = std::max(moved(m_pendingTo, position + charsAdded), to);
}

void SyntaxHighlighter::restyle()
{
    QTextDocument *doc = document();
    if (!doc)
        return;
    if (isComposing()) {
        m_restyleAfterComposing = true;
        return;
    }
    if (m_allPending) {
        m_allPending = false;
        m_pendingFrom = -1;
        recolour(doc->firstBlock(), doc->lastBlock());
    } else if (m_pendingFrom >= 0) {
        const QTextBlock first = doc->findBlock(std::min(m_pendingFrom, doc->characterCount() - 1));
        QTextBlock last = doc->findBlock(m_pendingTo);
        if (!last.isValid())
            last = doc->lastBlock();
        m_pendingFrom = -1;
        recolour(first, last);
    }
    if (m_formatsStale)
        reapplyAllFormats();
}

void SyntaxHighlighter::recolour(const QTextBlock &first, const QTextBlock &last)
{
    QTextBlock block = updateFollowing(first, last);
    State state =
        block.previous().isValid() ? State::fromInt(block.previous().userState()) : State();
    bool inEdited = false;
    bool pastEdited = false;
    bool stateChanged = false;
    while (block.isValid()) {
        BlockData *data = dataOf(block);
        inEdited = inEdited || block == first;
        if (inEdited || stateChanged || data->recolour) {
            const int before = block.userState();
            // The edited lines' texts were read once already, from the last one back.
            const QString text =
                inEdited && !m_editedTexts.isEmpty() ? m_editedTexts.takeLast() : block.text();
            state = recolourBlock(block, text, state, data);
            stateChanged = before != state.toInt();
        } else {
            state = State::fromInt(block.userState());
        }
        if (block == last) {
            inEdited = false;
            pastEdited = true;
        }
        if (pastEdited && !stateChanged)
            break;
        block = block.next();
    }
    m_editedTexts.clear();
    flushChanged();
}

// Sets the summary of the text after each edited line, from the last one back, then walks on
// to earlier lines while their summary changes; returns the earliest line to recolour.
QTextBlock SyntaxHighlighter::updateFollowing(const QTextBlock &first, const QTextBlock &last)
{
    Following after = followingAfter(last);
    QTextBlock block = last;
    m_editedTexts.clear();
    for (;;) {
        dataOf(block)->following = after;
        m_editedTexts.append(block.text());
        after = m_engine->following(m_editedTexts.constLast(), after);
        if (block == first)
            break;
        block = block.previous();
    }
    QTextBlock earliest = first;
    for (block = first.previous(); block.isValid(); block = block.previous()) {
        BlockData *data = dataOf(block);
        if (data->following == after)
            break;
        if (data->fresh || data->dependence.affectedBy(data->following, after)) {
            data->recolour = true;
            earliest = block;
        }
        data->following = after;
        after = m_engine->following(block.text(), after);
    }
    return earliest;
}

Following SyntaxHighlighter::followingAfter(const QTextBlock &block)
{
    QTextBlock next = block.next();
    if (!next.isValid())
        return Following();
    return m_engine->following(next.text(), dataOf(next)->following);
}

State SyntaxHighlighter::recolourBlock(QTextBlock &block, const QString &text, State start,
                                       BlockData *data)
{
    const std::vector<SyntaxRole> &roles =
        m_engine->highlight(text, !block.previous().isValid(), start, data->following);
    // Only a line that ends with " …" can carry a badge; the probe decides whether it is one.
    const int badge =
        m_foldBadgeProbe && text.endsWith(QStringLiteral(" …")) ? m_foldBadgeProbe(block) : 0;
    QList<Run> runs = runsFor(roles, std::min(badge, int(text.size())));
    data->dependence = m_engine->dependence();
    data->recolour = false;
    data->fresh = false;
    const State end = m_engine->endState();
    block.setUserState(end.toInt());
    if (runs != data->runs) {
        data->runs = std::move(runs);
        applyRuns(block, data->runs);
        markChanged(block);
    }
    return end;
}

QList<SyntaxHighlighter::Run> SyntaxHighlighter::runsFor(const std::vector<SyntaxRole> &roles,
                                                         int badgeLength) const
{
    QList<Run> runs;
    runs.reserve(8);
    const int length = int(roles.size());
    const int badgeStart = length - badgeLength;
    int start = 0;
    while (start < length) {
        const SyntaxRole role = roles[size_t(start)];
        const bool badge = start >= badgeStart;
        int end = start + 1;
        while (end < length && roles[size_t(end)] == role && (end >= badgeStart) == badge)
            ++end;
        if (role != SyntaxRole::none || badge)
            runs.append({start, end - start, role, badge});
        start = end;
    }
    return runs;
}

// Sets the line's formats from its runs. While an input method composes on the line, its
// marked text sits inside the layout: the input method's own formats are kept there and the
// colours are laid around it.
void SyntaxHighlighter::applyRuns(const QTextBlock &block, const QList<Run> &runs)
{
    QTextLayout *layout = block.layout();
    if (!layout)
        return;
    const int markedStart = layout->preeditAreaPosition();
    const int markedLength = int(layout->preeditAreaText().size());
    QList<QTextLayout::FormatRange> ranges;
    if (markedLength > 0) {
        for (const QTextLayout::FormatRange &range : layout->formats()) {
            if (range.start >= markedStart &&
                range.start + range.length <= markedStart + markedLength)
                ranges.append(range);
        }
    }
    for (const Run &run : runs) {
        const QTextCharFormat runFormat = format(run.role, run.badge);
        const int end = run.start + run.length;
        if (markedLength == 0 || end <= markedStart) {
            ranges.append({run.start, run.length, runFormat});
        } else if (run.start >= markedStart) {
            ranges.append({run.start + markedLength, run.length, runFormat});
        } else {
            ranges.append({run.start, markedStart - run.start, runFormat});
            ranges.append({markedStart + markedLength, end - markedStart, runFormat});
        }
    }
    layout->setFormats(ranges);
}

// Lines are marked in document order within one pass.
void SyntaxHighlighter::markChanged(const QTextBlock &block)
{
    if (!m_firstChanged.isValid())
        m_firstChanged = block;
    m_lastChanged = block;
}

// Lays the changed lines out again: one line at once, several in one go.
void SyntaxHighlighter::flushChanged()
{
    QTextDocument *doc = document();
    if (!m_firstChanged.isValid() || !doc)
        return;
    const int from = m_firstChanged.position();
    const int to = m_lastChanged.position() + m_lastChanged.length();
    m_firstChanged = m_lastChanged = QTextBlock();
    m_applying = true;
    doc->markContentsDirty(from, to - from);
    m_applying = false;
}

void SyntaxHighlighter::reapplyAllFormats()
{
    m_formatsStale = false;
    QTextDocument *doc = document();
    for (QTextBlock block = doc->firstBlock(); block.isValid(); block = block.next()) {
        if (auto *data = static_cast<BlockData *>(block.userData());
            data && !data->runs.isEmpty()) {
            applyRuns(block, data->runs);
            markChanged(block);
        }
    }
    flushChanged();
}

bool SyntaxHighlighter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_textView || event->type() != QEvent::InputMethod || m_inInputMethod)
        return QObject::eventFilter(watched, event);
    // WORKAROUND: on every input-method event the text view replaces the composing line's
    // formats with the input method's own, which wipes its colours (and leaves them wiped when
    // a composition is cancelled). Deliver the event first, then lay the colours back.
    const QTextCursor cursor = m_textView->textCursor();
    const int composingBefore = cursor.position();
    // The text view marks the composing line for layout, which looks like an edit of it; only
    // committed text, a replacement or a selection the composition replaces is one.
    const auto *inputMethod = static_cast<QInputMethodEvent *>(event);
    const bool edits = !inputMethod->commitString().isEmpty() ||
                       inputMethod->replacementLength() > 0 ||
                       (cursor.hasSelection() &&
                        inputMethod->preeditString() != cursor.block().layout()->preeditAreaText());
    const auto pending = std::tuple(m_allPending, m_pendingFrom, m_pendingTo);
    m_inInputMethod = true;
    watched->event(event);
    m_inInputMethod = false;
    if (!edits)
        std::tie(m_allPending, m_pendingFrom, m_pendingTo) = pending;
    restoreAfterInputMethod(composingBefore);
    return true;
}

void SyntaxHighlighter::restoreAfterInputMethod(int composingBefore)
{
    QTextDocument *doc = document();
    if (!m_textView || !doc)
        return;
    const QTextBlock now = m_textView->textCursor().block();
    QList<QTextBlock> blocks{now};
    if (const QTextBlock before = doc->findBlock(composingBefore);
        before.isValid() && before != now)
        blocks.append(before);
    for (QTextBlock &block : blocks) {
        BlockData *data = dataOf(block);
        // A line edited during the composition shows no colours until it is recoloured.
        if (isPendingRecolour(block))
            data->runs.clear();
        applyRuns(block, data->runs);
        markChanged(block);
        flushChanged();
    }
    if (m_restyleAfterComposing && !isComposing()) {
        m_restyleAfterComposing = false;
        restyle();
    }
}

bool SyntaxHighlighter::isPendingRecolour(const QTextBlock &block) const
{
    if (m_allPending)
        return true;
    const int start = block.position();
    return m_pendingFrom >= 0 && m_pendingFrom <= start + block.length() && m_pendingTo >= start;
}

QTextCharFormat SyntaxHighlighter::format(SyntaxRole role, bool badge)
{
    const int key = int(role) | (badge ? 0x100 : 0);
    auto found = m_formats.constFind(key);
    if (found != m_formats.constEnd())
        return *found;
    QTextCharFormat made;
    if (role != SyntaxRole::none)
        made.setForeground(roleColor(m_syntax, role));
    else if (badge)
        made.setForeground(m_badgeText);
    if (badge)
        made.setBackground(m_badgeBackground);
    m_formats.insert(key, made);
    return made;
}

SyntaxHighlighter::BlockData *SyntaxHighlighter::dataOf(QTextBlock &block)
{
    auto *data = static_cast<BlockData *>(block.userData());
    if (!data) {
        data = new BlockData;
        block.setUserData(data);
    }
    return data;
}
