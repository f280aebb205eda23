#pragma once

#include "editor/IcuRegex.h"
#include "editor/SyntaxRole.h"
#include "model/EditorLanguage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One colouring rule: an ICU pattern, painted over its matches in the text in one syntax colour.
// Rules of a language apply in list order; a later rule's colour wins where matches overlap.
//
// The incremental colouring needs to know how far a rule's matches and look-arounds reach
// beyond the line they start on; `reach` records that, worked out from each pattern by hand.
struct SyntaxRule
{
    enum class Reach : std::uint8_t {
        // Matches and look-arounds stay within one line ("\n" never matches, and the line's
        // edges look to \b, ^ and $ exactly like the start and end of the text).
        line,
        // As line, except that a match may begin on the line feed before the line (a leading \s).
        lineAndFeedBefore,
        // Opener, anything (line feeds too), the first closer after it. An opener only starts a
        // match when a closer follows somewhere in the rest of the text, however far.
        delimited,
        // Spans line feeds only through runs of white space: leading white space from a line
        // start, white space after a colon, white space in a look-ahead.
        blankRun,
    };

    struct Delimiter
    {
        QString open;
        QString close;
    };

    QString pattern;
    bool dotMatchesLineSeparators = false;
    SyntaxRole role = SyntaxRole::none;
    Reach reach = Reach::line;
    // For delimited rules: the pattern's alternatives in order, each an opener and its closer.
    QList<Delimiter> delimiters;
    // Shortcuts for line rules, each a necessary condition for any match on a line, so that
    // lines that cannot match skip the regular expression: a text the line must contain; a
    // digit (any non-ASCII character counts, as \d is Unicode's); the whole words a match
    // must be (a keyword match is always a maximal run of ASCII lower-case letters, since
    // \b on either side needs a non-word neighbour).
    QString mustContain;
    bool needsDigit = false;
    QStringList keywords;
    // Compiled once per process; clone() before matching. Invalid if the pattern failed to
    // compile, and then the rule is skipped.
    IcuRegex compiled;

    // The language's rules in the order they apply; empty for plain.
    static const std::vector<SyntaxRule> &forLanguage(EditorLanguage language);
};
