#include "editor/CharacterCounter.h"

#include "editor/LineFolding.h"

#include <QTextBlock>
#include <QTextDocument>

#include <unicode/ubrk.h>

#include <algorithm>

CharacterCounter::CharacterCounter(const QTextDocument *document)
    : m_document(document)
{
    UErrorCode status = U_ZERO_ERROR;
    m_breaker.reset(ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
    if (U_FAILURE(status))
        m_breaker.reset();
    reset();
}

CharacterCounter::~CharacterCounter() = default;

void CharacterCounter::BreakerDeleter::operator()(UBreakIterator *breaker) const
{
    ubrk_close(breaker);
}

int CharacterCounter::graphemeCount(QStringView text) const
{
    // Below U+0300 no character joins its neighbour (no marks, joiners or prepends), and a
    // line holds no CR/LF pair, so each code unit is one cluster.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; }))
        return int(text.size());
    if (!m_breaker)
        return int(text.size());
    UErrorCode status = U_ZERO_ERROR;
    UBreakIterator *breaker = m_breaker.get();
    ubrk_setText(breaker, reinterpret_cast<const UChar *>(text.data()), int32_t(text.size()),
                 &status);
    if (U_FAILURE(status))
        return int(text.size());
    int clusters = 0;
    ubrk_first(breaker);
    while (ubrk_next(breaker) != UBRK_DONE)
        ++clusters;
    return clusters;
}

int CharacterCounter::lineCount(const QTextBlock &block) const
{
    const QString text = block.text();
    return graphemeCount(QStringView(text).first(text.size() - LineFolding::badgeLength(block)));
}

void CharacterCounter::reset()
{
    const int blocks = m_document->blockCount();
    m_lineCounts.assign(std::size_t(blocks), 0);
    m_sum = 0;
    int i = 0;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next(), ++i) {
        const int n = lineCount(block);
        m_lineCounts[std::size_t(i)] = n;
        m_sum += n;
    }
}

void CharacterCounter::documentChanged(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    const int blocks = m_document->blockCount();
    const int delta = blocks - int(m_lineCounts.size());
    const int end = std::min(position + charsAdded, m_document->characterCount() - 1);
    const int first = m_document->findBlock(position).blockNumber();
    const int lastNew = m_document->findBlock(std::max(end, position)).blockNumber();
    const int lastOld = lastNew - delta;
    if (first < 0 || lastNew < first || lastOld < first - 1 ||
        lastOld >= int(m_lineCounts.size())) {
        reset();
        return;
    }
    // Old lines first..lastOld became new lines first..lastNew.
    const auto begin = m_lineCounts.begin() + first;
    for (auto it = begin; it != m_lineCounts.begin() + lastOld + 1; ++it)
        m_sum -= *it;
    std::vector<int> fresh;
    fresh.reserve(std::size_t(lastNew - first + 1));
    QTextBlock block = m_document->findBlockByNumber(first);
    for (int i = first; i <= lastNew; ++i, block = block.next()) {
        fresh.push_back(lineCount(block));
        m_sum += fresh.back();
    }
    m_lineCounts.erase(begin, m_lineCounts.begin() + lastOld + 1);
    m_lineCounts.insert(m_lineCounts.begin() + first, fresh.begin(), fresh.end());
}

qint64 CharacterCounter::count() const
{
    return m_sum + qint64(m_lineCounts.size()) - 1;
}
