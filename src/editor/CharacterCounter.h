#pragma once

#include <QStringView>

#include <memory>
#include <vector>

class QTextBlock;
class QTextDocument;

struct UBreakIterator;

// Counts the user-perceived characters (extended grapheme clusters) of the editor's text
// without the fold badges, as one ICU pass over that text would. Line feeds always end a
// cluster, so the count is the sum of per-line counts plus the line feeds; each line's count
// is cached and only the lines an edit touches are counted again.
class CharacterCounter
{
public:
    explicit CharacterCounter(const QTextDocument *document);
    ~CharacterCounter();

    // Connect to QTextDocument::contentsChange.
    void documentChanged(int position, int charsRemoved, int charsAdded);
    // Counts everything again.
    void reset();
    qint64 count() const;

    // Grapheme clusters of a string.
    int graphemeCount(QStringView text) const;

private:
    // Clusters of one line, its fold badge left out.
    int lineCount(const QTextBlock &block) const;

    const QTextDocument *m_document;
    struct BreakerDeleter
    {
        void operator()(UBreakIterator *breaker) const;
    };
    std::unique_ptr<UBreakIterator, BreakerDeleter> m_breaker;
    std::vector<int> m_lineCounts;
    qint64 m_sum = 0;
};
