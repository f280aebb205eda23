#include "editor/LineFolding.h"

#include "editor/DocumentText.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr char16_t ellipsis = u'\u2026';

int lineEnd(const QTextBlock &block)
{
    return block.position() + block.length() - 1;
}

// A line is foldable when the next line is indented deeper.
bool foldable(const QTextBlock &block)
{
    const QTextBlock next = block.next();
    return block.isValid() && next.isValid() &&
           LineFolding::indentLevel(block) < LineFolding::indentLevel(next);
}

QTextCharFormat badgeFormat(int id)
{
    QTextCharFormat format;
    format.setProperty(LineFolding::FoldIdProperty, id);
    return format;
}

} // namespace

const QString &LineFolding::badge()
{
    static const QString text = QStringLiteral(" \u2026");
    return text;
}

LineFolding::LineFolding(QTextDocument *document)
    : m_document(document)
{
}

int LineFolding::indentLevel(QStringView line)
{
    int width = 0;
    for (const QChar c : line) {
        if (c == QLatin1Char(' '))
            width += 1;
        else if (c == QLatin1Char('\t'))
            width += 4;
        else
            break;
    }
    return width / 4;
}

int LineFolding::indentLevel(const QTextBlock &block)
{
    const QString text = block.text();
    const int badge = text.endsWith(LineFolding::badge()) ? badgeLength(block) : 0;
    return indentLevel(QStringView(text).first(text.size() - badge));
}

int LineFolding::badgeId(const QTextBlock &block)
{
    const QTextDocument *document = block.document();
    const int end = lineEnd(block);
    if (!document || end - block.position() < 2)
        return 0;
    if (document->characterAt(end - 1) != QChar(ellipsis) ||
        document->characterAt(end - 2) != QLatin1Char(' '))
        return 0;
    int id = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.position() + fragment.length() <= end - 2)
            continue;
        const int fragmentId = fragment.charFormat().intProperty(FoldIdProperty);
        // The id must cover exactly the last two characters.
        if (fragmentId == 0 || fragment.position() < end - 2 || (id != 0 && fragmentId != id))
            return 0;
        id = fragmentId;
    }
    return id;
}

int LineFolding::badgeLength(const QTextBlock &block)
{
    return badgeId(block) != 0 ? 2 : 0;
}

int LineFolding::liveFoldId(const QTextBlock &block) const
{
    const int id = block.isValid() ? badgeId(block) : 0;
    return m_folds.contains(id) ? id : 0;
}

bool LineFolding::isLive(int id) const
{
    const auto it = m_folds.constFind(id);
    if (it == m_folds.constEnd() || it->badge.isNull())
        return false;
    const QTextBlock block = m_document->findBlock(it->badge.position());
    return lineEnd(block) - 2 == it->badge.position() && liveFoldId(block) == id;
}

bool LineFolding::isFoldable(int line) const
{
    return foldable(m_document->findBlockByNumber(line));
}

QSet<int> LineFolding::foldableLines(int first, int last) const
{
    // Each line's level is read once: it is the deeper side of one test and the shallower
    // side of the next.
    QSet<int> lines;
    first = std::max(first, 0);
    QTextBlock block = m_document->findBlockByNumber(first);
    int level = block.isValid() ? indentLevel(block) : 0;
    for (int line = first; line <= last; ++line) {
        block = block.next();
        if (!block.isValid())
            break;
        const int nextLevel = indentLevel(block);
        if (level < nextLevel)
            lines.insert(line);
        level = nextLevel;
    }
    return lines;
}

int LineFolding::foldRangeEnd(int line) const
{
    QTextBlock block = m_document->findBlockByNumber(line);
    if (!block.isValid())
        return line;
    const int level = indentLevel(block);
    for (block = block.next(); block.isValid(); block = block.next()) {
        if (indentLevel(block) <= level)
            return block.blockNumber();
    }
    return m_document->blockCount();
}

bool LineFolding::isFolded(int line) const
{
    return isFolded(m_document->findBlockByNumber(line));
}

bool LineFolding::isFolded(const QTextBlock &block) const
{
    return liveFoldId(block) != 0;
}

QList<int> LineFolding::liveIdsDescending() const
{
    QList<int> ids;
    for (auto it = m_folds.constBegin(); it != m_folds.constEnd(); ++it) {
        if (isLive(it.key()))
            ids.append(it.key());
    }
    std::sort(ids.begin(), ids.end(), [this](int a, int b) {
        return m_folds[a].badge.position() > m_folds[b].badge.position();
    });
    return ids;
}

QList<int> LineFolding::foldedLines() const
{
    QList<int> lines;
    for (const int id : liveIdsDescending())
        lines.prepend(m_document->findBlock(m_folds[id].badge.position()).blockNumber());
    return lines;
}

QList<int> LineFolding::badgePositions() const
{
    QList<int> positions;
    for (const int id : liveIdsDescending())
        positions.prepend(m_folds[id].badge.position());
    return positions;
}

QMap<int, QString> LineFolding::hiddenTextByFoldLine() const
{
    QMap<int, QString> hidden;
    for (const int id : liveIdsDescending()) {
        const int line = m_document->findBlock(m_folds[id].badge.position()).blockNumber();
        QString text = m_folds[id].hidden.toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        hidden.insert(line, text + QLatin1Char('\n'));
    }
    return hidden;
}

bool LineFolding::fold(int line)
{
    const QTextBlock block = m_document->findBlockByNumber(line);
    if (!isFoldable(line) || liveFoldId(block) != 0)
        return false;
    const QTextBlock last = m_document->findBlockByNumber(foldRangeEnd(line) - 1);
    QTextCursor hiddenRange(m_document);
    hiddenRange.setPosition(block.next().position());
    hiddenRange.setPosition(lineEnd(last), QTextCursor::KeepAnchor);
    if (!hiddenRange.hasSelection())
        return false;

    const int id = m_nextId++;
    const int badgeStart = lineEnd(block);
    const int hiddenEnd = lineEnd(last);
    Fold fold{hiddenRange.selection(), openedText(block.next(), last), {}};
    QTextCursor edit(m_document);
    edit.beginEditBlock();
    edit.setPosition(badgeStart);
    edit.setPosition(hiddenEnd, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    edit.insertText(badge(), badgeFormat(id));
    edit.endEditBlock();
    replaced(badgeStart, hiddenEnd - badgeStart, 2);

    fold.badge = QTextCursor(m_document);
    fold.badge.setPosition(badgeStart);
    m_folds.insert(id, fold);
    return true;
}

void LineFolding::unfoldInto(QTextCursor &edit, int id)
{
    const int badgeStart = m_folds[id].badge.position();
    edit.setPosition(badgeStart);
    edit.setPosition(badgeStart + 2, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    edit.insertText(QStringLiteral("\n"), QTextCharFormat());
    edit.insertFragment(m_folds[id].hidden);
    replaced(badgeStart, 2, edit.position() - badgeStart);
    // Folds nested in the block come back with their badges.
    anchorBadgesIn(badgeStart, edit.position());
}

void LineFolding::replaced(int position, int removed, int added)
{
    if (onReplace)
        onReplace(position, removed, added);
}

bool LineFolding::unfold(int line)
{
    const int id = liveFoldId(m_document->findBlockByNumber(line));
    if (id == 0)
        return false;
    QTextCursor edit(m_document);
    edit.beginEditBlock();
    unfoldInto(edit, id);
    edit.endEditBlock();
    return true;
}

bool LineFolding::unfoldAll()
{
    QList<int> ids = liveIdsDescending();
    if (ids.isEmpty())
        return false;
    QTextCursor edit(m_document);
    edit.beginEditBlock();
    // Each round restores the outermost blocks; folds nested in them are live again for the
    // next round, so every block ends up under its own line. A fold can only be restored
    // once per round, which bounds the rounds by the number of folds.
    for (int round = 0; !ids.isEmpty() && round <= m_folds.size(); ++round) {
        for (const int id : ids)
            unfoldInto(edit, id);
        ids = liveIdsDescending();
    }
    edit.endEditBlock();
    return true;
}

QString LineFolding::expandedText() const
{
    return openedText(m_document->firstBlock(), m_document->lastBlock());
}

// A fold's hidden lines never change once folded, so each fold keeps them opened from the
// start: the whole text opens in one walk over the visible lines.
QString LineFolding::openedText(QTextBlock block, const QTextBlock &last) const
{
    QString text;
    for (; block.isValid(); block = block.next()) {
        const QString line = block.text();
        const int id = line.endsWith(badge()) ? liveFoldId(block) : 0;
        if (id == 0) {
            text += line;
        } else {
            text += QStringView(line).chopped(2);
            text += QLatin1Char('\n') + m_folds.constFind(id)->opened;
        }
        if (block == last)
            break;
        text += QLatin1Char('\n');
    }
    return text;
}

QString LineFolding::textWithoutFoldBadges() const
{
    QString text = documentText(*m_document);
    const QList<int> positions = badgePositions();
    for (auto it = positions.crbegin(); it != positions.crend(); ++it)
        text.remove(*it, 2);
    return text;
}

bool LineFolding::hasWholeBadgeAt(int position, int id) const
{
    if (m_document->characterAt(position) != QLatin1Char(' ') ||
        m_document->characterAt(position + 1) != QChar(ellipsis))
        return false;
    QTextCursor probe(m_document);
    for (const int after : {position + 1, position + 2}) {
        probe.setPosition(after); // the format of the character before it
        if (probe.charFormat().intProperty(FoldIdProperty) != id)
            return false;
    }
    return true;
}

bool LineFolding::openJoinedFolds()
{
    QList<int> joined;
    for (auto it = m_folds.cbegin(); it != m_folds.cend(); ++it) {
        if (!it->badge.isNull() && !isLive(it.key()) &&
            hasWholeBadgeAt(it->badge.position(), it.key()))
            joined.append(it.key());
    }
    if (joined.isEmpty())
        return false;
    QTextCursor edit(m_document);
    edit.joinPreviousEditBlock();
    for (const int id : joined)
        unfoldInto(edit, id);
    edit.endEditBlock();
    return true;
}

void LineFolding::anchorBadgesIn(int from, int to)
{
    if (m_folds.isEmpty())
        return;
    QTextBlock block = m_document->findBlock(from);
    const QTextBlock last = m_document->findBlock(std::min(to, documentTextLength(*m_document)));
    for (; block.isValid(); block = block.next()) {
        const int id = liveFoldId(block);
        if (id != 0) {
            QTextCursor &anchor = m_folds[id].badge;
            if (anchor.isNull() || anchor.document() != m_document)
                anchor = QTextCursor(m_document);
            anchor.setPosition(lineEnd(block) - 2);
        }
        if (block == last)
            break;
    }
}

void LineFolding::documentChanged(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    anchorBadgesIn(position, position + charsAdded);
}

void LineFolding::clear()
{
    m_folds.clear();
}
