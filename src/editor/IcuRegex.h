#pragma once

#include <QStringView>

#include <cstdint>
#include <memory>

struct URegularExpression;

// One compiled ICU regular expression with its own match state, matched over UTF-16 text in
// place (offsets are UTF-16 code units). Compile once, clone for each user: a clone shares the
// compiled pattern and is cheap.
class IcuRegex
{
public:
    IcuRegex() = default;
    // Invalid when the pattern does not compile.
    IcuRegex(QStringView pattern, std::uint32_t flags);

    bool isValid() const { return m_regex != nullptr; }
    IcuRegex clone() const;

    // Calls visit(start, end) for every match in text, left to right, as a whole-text search
    // enumerates them; stops early when visit returns false. The text must outlive the call.
    template <typename Visit> void forEachMatch(QStringView text, Visit &&visit)
    {
        if (!setText(text))
            return;
        int start = 0;
        int end = 0;
        while (findNext(start, end) && visit(start, end)) {
        }
    }

    // End of the match that starts exactly at start (looking behind it into text), or -1.
    int matchEndAt(QStringView text, int start);

    // Matches at the very start of text; returns the number of the first capture group that
    // took part in the match, 0 when none did, -1 when there is no match.
    int lookingAtGroup(QStringView text);

private:
    struct Closer
    {
        void operator()(URegularExpression *regex) const;
    };

    bool setText(QStringView text);
    bool findNext(int &start, int &end);

    std::unique_ptr<URegularExpression, Closer> m_regex;
};
