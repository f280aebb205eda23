#include "model/TextMatch.h"

#include <unicode/brkiter.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

QString canonical(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

std::unique_ptr<icu::BreakIterator> characterIterator(const icu::UnicodeString &text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return nullptr;
    it->setText(text);
    return it;
}

icu::UnicodeString aliasOf(const QString &text)
{
    return icu::UnicodeString(false, reinterpret_cast<const UChar *>(text.utf16()),
                              int32_t(text.size()));
}

bool isBoundary(const QString &text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return true;
    // Below U+0300 only CR LF holds two code points together; most texts end here.
    const char16_t before = text.at(position - 1).unicode();
    const char16_t after = text.at(position).unicode();
    if (before < 0x300 && after < 0x300)
        return !(before == u'\r' && after == u'\n');
    const icu::UnicodeString alias = aliasOf(text);
    const auto it = characterIterator(alias);
    return !it || it->isBoundary(int32_t(position));
}

} // namespace

bool textEquals(const QString &a, const QString &b)
{
    return a == b || canonical(a) == canonical(b);
}

bool textHasPrefix(const QString &text, const QString &prefix)
{
    const QString t = canonical(text);
    const QString p = canonical(prefix);
    return t.startsWith(p) && isBoundary(t, p.size());
}

bool textHasSuffix(const QString &text, const QString &suffix)
{
    const QString t = canonical(text);
    const QString s = canonical(suffix);
    return t.endsWith(s) && isBoundary(t, t.size() - s.size());
}

QString leftCharacters(const QString &text, int count)
{
    const icu::UnicodeString alias = aliasOf(text);
    const auto it = characterIterator(alias);
    if (!it)
        return text.left(count);
    int32_t end = it->first();
    for (int i = 0; i < count && end != icu::BreakIterator::DONE; ++i)
        end = it->next();
    return end == icu::BreakIterator::DONE ? text : text.left(end);
}
