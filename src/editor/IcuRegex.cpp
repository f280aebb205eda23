#include "editor/IcuRegex.h"

#include <unicode/uregex.h>

namespace {

// ICU wants a non-null buffer even for empty text.
const UChar emptyText[1] = {0};

const UChar *textPointer(QStringView text)
{
    return text.isEmpty() ? emptyText : reinterpret_cast<const UChar *>(text.utf16());
}

} // namespace

void IcuRegex::Closer::operator()(URegularExpression *regex) const
{
    uregex_close(regex);
}

IcuRegex::IcuRegex(QStringView pattern, std::uint32_t flags)
{
    UErrorCode status = U_ZERO_ERROR;
    URegularExpression *regex =
        uregex_open(textPointer(pattern), int32_t(pattern.size()), flags, nullptr, &status);
    if (U_FAILURE(status)) {
        uregex_close(regex);
        return;
    }
    m_regex.reset(regex);
}

IcuRegex IcuRegex::clone() const
{
    IcuRegex copy;
    if (!m_regex)
        return copy;
    UErrorCode status = U_ZERO_ERROR;
    URegularExpression *regex = uregex_clone(m_regex.get(), &status);
    if (U_SUCCESS(status))
        copy.m_regex.reset(regex);
    else
        uregex_close(regex);
    return copy;
}

bool IcuRegex::setText(QStringView text)
{
    if (!m_regex)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    uregex_setText(m_regex.get(), textPointer(text), int32_t(text.size()), &status);
    return U_SUCCESS(status);
}

bool IcuRegex::findNext(int &start, int &end)
{
    UErrorCode status = U_ZERO_ERROR;
    if (!uregex_findNext(m_regex.get(), &status) || U_FAILURE(status))
        return false;
    start = uregex_start(m_regex.get(), 0, &status);
    end = uregex_end(m_regex.get(), 0, &status);
    return U_SUCCESS(status);
}

int IcuRegex::lookingAtGroup(QStringView text)
{
    if (!setText(text))
        return -1;
    UErrorCode status = U_ZERO_ERROR;
    if (!uregex_lookingAt(m_regex.get(), 0, &status) || U_FAILURE(status))
        return -1;
    const int groups = uregex_groupCount(m_regex.get(), &status);
    for (int group = 1; group <= groups; ++group) {
        if (uregex_start(m_regex.get(), group, &status) >= 0)
            return group;
    }
    return 0;
}

int IcuRegex::matchEndAt(QStringView text, int start)
{
    if (!setText(text))
        return -1;
    UErrorCode status = U_ZERO_ERROR;
    if (!uregex_lookingAt(m_regex.get(), start, &status) || U_FAILURE(status))
        return -1;
    const int end = uregex_end(m_regex.get(), 0, &status);
    return U_SUCCESS(status) ? end : -1;
}
