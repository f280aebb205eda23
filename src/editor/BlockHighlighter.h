#pragma once

#include "editor/IcuRegex.h"
#include "editor/SyntaxRole.h"
#include "editor/SyntaxRule.h"
#include "model/EditorLanguage.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// Colours one line (one block of the document) exactly as a search of the language's rules over
// the whole text would colour it, given two small summaries of the text around the line:
//
// - State: what the text before the line leaves open at its start (an unclosed comment or
//   string, a colon whose white space runs on into the line). It is what the
//   line hands on at its end too, so it flows forward from line to line.
// - Following: what the text after the line offers to matches that start in it (whether each
//   closer occurs somewhere after the line; the first non-blank text after it). It flows
//   backward, from each line to the one before.
//
// Each rule is matched by ICU over the line with the summaries spelled out as a few characters
// before and after it (an opener, ":\n", "\n*/", "\na{", ...), chosen so that every match and
// look-around that touches the line behaves as it does in the whole text; see
// SyntaxRule::Reach for what each rule can reach.
class BlockHighlighter
{
public:
    struct State
    {
        // Per delimited rule (in rule order): 1 + the index of its open delimiter pair, 0 = none.
        std::array<std::uint8_t, 2> openPair{};
        // CSS: the last non-blank character before the line is a colon, so a value match may
        // run on through the line's leading blanks. (A selector match that starts at an earlier
        // line start covers the line just as one starting at the line's own start would.)
        bool colonPending = false;

        int toInt() const;
        // -1 (a block never coloured) reads as the start of the text.
        static State fromInt(int value);
        bool operator==(const State &) const = default;
    };

    // Class of the first non-blank text after a line, as the CSS blank-run rules see it.
    enum class NextText : std::uint8_t {
        endOfText,
        colon,
        commaOrBrace,
        hashThenWord,
        hash,
        dotThenWord,
        dot,
        wordThenBrace,
        word,
        dashThenBrace,
        dash,
        other,
    };

    struct Following
    {
        // Bit i: the closer of the language's i-th delimiter pair occurs after the line.
        std::uint8_t closers = 0;
        NextText next = NextText::endOfText;

        bool operator==(const Following &) const = default;
    };

    // Which parts of Following a line's colours depend on.
    struct Dependence
    {
        std::uint8_t closers = 0;
        bool next = false;

        bool affectedBy(const Following &before, const Following &after) const;
    };

    explicit BlockHighlighter(EditorLanguage language);

    // Colours text; the roles are valid until the next call. firstLine: the line starts the text.
    const std::vector<SyntaxRole> &highlight(QStringView text, bool firstLine, State start,
                                             Following after);
    State endState() const { return m_end; }
    Dependence dependence() const { return m_dependence; }

    // The summary of the text from a line on (its text, then what follows it), as seen from the
    // line before it.
    Following following(QStringView line, Following afterLine);

private:
    struct Rule
    {
        const SyntaxRule *source;
        IcuRegex regex;
        int firstPair; // delimited rules: global index of the first delimiter pair
        int delimitedIndex;
    };

    void paint(int start, int end, SyntaxRole role);
    void paintLine(Rule &rule, QStringView text, bool firstLine);
    void paintKeywords(Rule &rule, QStringView text);
    static bool mayMatch(const SyntaxRule &rule, QStringView text);
    void paintDelimited(Rule &rule, QStringView text, State start, Following after);
    void paintBlankRun(Rule &rule, QStringView text, State start, Following after);
    void finishBlankRunState(QStringView text, State start);
    static bool hasUnclosedOpener(QStringView text, const SyntaxRule::Delimiter &pair);

    std::vector<Rule> m_rules;
    bool m_hasBlankRunRules = false;
    std::vector<SyntaxRole> m_roles;
    State m_end;
    Dependence m_dependence;
    QString m_context; // the line with its spelled-out surroundings
    bool m_contextReady = false;
    int m_contextOffset = 0; // where the line starts in m_context
    IcuRegex m_lastNonBlank;
    IcuRegex m_nextText;
};
