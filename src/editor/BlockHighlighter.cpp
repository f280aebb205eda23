#include "editor/BlockHighlighter.h"

#include <algorithm>

// Why a line's colours come out exactly as the whole-text search gives them.
//
// Each rule is its own left-to-right search; a line's colours are the last rule's match over
// each character. So it suffices that, for every rule, the matches overlapping the line are
// the same in the whole text and in the spelled-out context, and that the search is "free" (not
// inside a match) where the context begins.
//
// - line rules never match or look at "\n", and a line edge looks to \b (ICU skips back over
//   combining marks, but never past "\n"), ^ and $ exactly like the edge of the text. The
//   search is free at every line start, since no match crosses "\n". The HTML attribute rule
//   may start on the "\n" before the line, so it runs on "\n" + line.
// - delimited rules: an opener starts a match exactly when its closer occurs later anywhere
//   (then the match ends at the first closer after it), else the search moves on by one. Within
//   the line that depends only on which closers occur after the line: spelled as "\n" plus those
//   closers. An opener left open by an earlier line is spelled before the line; the match it
//   began ends at the first closer in the line, as nothing in the spelled opener can form one.
// - blank-run rules (CSS selector, property, value) cross "\n" only through white space, so a
//   match reaching into the line from before starts at a colon (value) whose white space runs on
//   to the line, or at an earlier line start (selector) which covers the line just as a match
//   from the line's own start does. Matches and look-aheads leaving the line see white space,
//   then the first non-blank text after it, of which only its class matters (":", "," or "{",
//   "#" or "." before or not before a word character, a word or "-" run followed by "," or "{"
//   or not, anything else, the end): spelled as "\n" plus a two-character stand-in of that
//   class. The class of the text after line k is derived from line k+1 and the class after it.
//
// When an edit changes the state a line hands on, the following lines are recoloured until the
// state settles; when it changes the summary a line sees after it, earlier lines whose colours
// depend on that part of the summary are recoloured. Nothing is cached beyond these two small
// summaries, so the result is the whole-text result whatever the edit (tst_highlighter checks
// this against a literal whole-text pass after thousands of random edits).

namespace {

using Reach = SyntaxRule::Reach;

// The first non-blank text after a line, classified as the CSS blank-run rules look at it:
// a selector needs "#" or "." then a word character, or a word then "," or "{"; a property needs
// ":"; a value needs "#" or a word character. Group n is NextText(n); group 11 is the end.
const char16_t nextTextPattern[] =
    uR"(\s*(?:(:)|([,{])|(#[\w-])|(#)|(\.[\w-])|(\.)|(\w[\w-]*\s*[,{])|(\w)|(-[\w-]*\s*[,{])|(-)|(\z)))";

// A short text of each class, spelled after a line to stand for what really follows it.
const char16_t *const nextTextSpelling[] = {u"",   u":",  u"{",  u"#a", u"#;", u".a",
                                            u".;", u"a{", u"a;", u"-{", u"-;", u";"};

} // namespace

int BlockHighlighter::State::toInt() const
{
    return openPair[0] | (openPair[1] << 3) | (colonPending ? 1 << 6 : 0);
}

BlockHighlighter::State BlockHighlighter::State::fromInt(int value)
{
    State state;
    if (value < 0)
        return state;
    state.openPair[0] = std::uint8_t(value & 7);
    state.openPair[1] = std::uint8_t((value >> 3) & 7);
    state.colonPending = value & (1 << 6);
    return state;
}

bool BlockHighlighter::Dependence::affectedBy(const Following &before, const Following &after) const
{
    return ((before.closers ^ after.closers) & closers) || (next && before.next != after.next);
}

BlockHighlighter::BlockHighlighter(EditorLanguage language)
    : m_lastNonBlank(uR"(\S\s*\z)", 0)
    , m_nextText(nextTextPattern, 0)
{
    int pairs = 0;
    int delimited = 0;
    for (const SyntaxRule &source : SyntaxRule::forLanguage(language)) {
        Rule rule{&source, source.compiled.clone(), pairs, delimited};
        if (source.reach == Reach::delimited) {
            pairs += int(source.delimiters.size());
            ++delimited;
        }
        m_hasBlankRunRules = m_hasBlankRunRules || source.reach == Reach::blankRun;
        m_rules.push_back(std::move(rule));
    }
}

const std::vector<SyntaxRole> &BlockHighlighter::highlight(QStringView text, bool firstLine,
                                                           State start, Following after)
{
    m_roles.assign(size_t(text.size()), SyntaxRole::none);
    m_end = State();
    m_dependence = Dependence();
    m_contextReady = false;
    for (Rule &rule : m_rules) {
        if (!rule.regex.isValid())
            continue;
        switch (rule.source->reach) {
        case Reach::line:
        case Reach::lineAndFeedBefore:
            paintLine(rule, text, firstLine);
            break;
        case Reach::delimited:
            paintDelimited(rule, text, start, after);
            break;
        case Reach::blankRun:
            paintBlankRun(rule, text, start, after);
            break;
        }
    }
    if (m_hasBlankRunRules)
        finishBlankRunState(text, start);
    return m_roles;
}

void BlockHighlighter::paint(int start, int end, SyntaxRole role)
{
    start = std::max(start, 0);
    end = std::min(end, int(m_roles.size()));
    if (start < end)
        std::fill(m_roles.begin() + start, m_roles.begin() + end, role);
}

bool BlockHighlighter::mayMatch(const SyntaxRule &rule, QStringView text)
{
    if (!rule.mustContain.isEmpty() && !text.contains(rule.mustContain))
        return false;
    if (rule.needsDigit) {
        return std::any_of(text.begin(), text.end(), [](QChar unit) {
            return unit.unicode() >= 0x80 || (unit >= QLatin1Char('0') && unit <= QLatin1Char('9'));
        });
    }
    return true;
}

// A keyword match is a maximal run of ASCII lower-case letters spelling a keyword; the pattern
// is tried at each such run only, looking behind it into the line for its \b.
void BlockHighlighter::paintKeywords(Rule &rule, QStringView text)
{
    const auto isLower = [&](qsizetype i) {
        return i < text.size() && text[i] >= QLatin1Char('a') && text[i] <= QLatin1Char('z');
    };
    qsizetype start = 0;
    while (start < text.size()) {
        if (!isLower(start)) {
            ++start;
            continue;
        }
        qsizetype end = start + 1;
        while (isLower(end))
            ++end;
        if (rule.source->keywords.contains(text.mid(start, end - start))) {
            const int matchEnd = rule.regex.matchEndAt(text, int(start));
            if (matchEnd > start)
                paint(int(start), matchEnd, rule.source->role);
        }
        start = end;
    }
}

void BlockHighlighter::paintLine(Rule &rule, QStringView text, bool firstLine)
{
    if (!mayMatch(*rule.source, text))
        return;
    if (!rule.source->keywords.isEmpty()) {
        paintKeywords(rule, text);
        return;
    }
    const SyntaxRole role = rule.source->role;
    if (rule.source->reach == Reach::line || firstLine) {
        rule.regex.forEachMatch(text, [&](int start, int end) {
            paint(start, end, role);
            return true;
        });
        return;
    }
    // The match may start on the line feed that ends the line before.
    QString withFeed = QStringLiteral("\n");
    withFeed.append(text);
    rule.regex.forEachMatch(withFeed, [&](int start, int end) {
        paint(start - 1, end - 1, role);
        return true;
    });
}

// An opener left open by an earlier line is spelled before the line; every closer that occurs
// somewhere after the line is spelled after it, behind a line feed, so an opener in this line
// matches through to it exactly when a closer really follows.
void BlockHighlighter::paintDelimited(Rule &rule, QStringView text, State start, Following after)
{
    const QList<SyntaxRule::Delimiter> &pairs = rule.source->delimiters;
    const int open = start.openPair[size_t(rule.delimitedIndex)];
    bool anyOpener = open != 0;
    QString closers;
    for (int pair = 0; pair < pairs.size(); ++pair) {
        const SyntaxRule::Delimiter &delimiter = pairs[pair];
        const bool hasOpener = text.contains(delimiter.open);
        anyOpener = anyOpener || hasOpener;
        if (after.closers & (1u << (rule.firstPair + pair)))
            closers += delimiter.close;
        // Most lines hold no opener at all, and then none is left unclosed.
        if (hasOpener && hasUnclosedOpener(text, delimiter))
            m_dependence.closers |= std::uint8_t(1u << (rule.firstPair + pair));
    }
    if (!anyOpener)
        return; // every match starts with an opener
    const QString prefix = open ? pairs[open - 1].open : QString();
    QString context = prefix;
    context.append(text);
    if (!closers.isEmpty())
        context.append(QLatin1Char('\n') + closers);
    const int offset = int(prefix.size());
    const int length = int(text.size());
    rule.regex.forEachMatch(context, [&](int matchStart, int matchEnd) {
        if (matchStart - offset >= length)
            return false;
        paint(matchStart - offset, matchEnd - offset, rule.source->role);
        if (matchEnd - offset > length) {
            for (int pair = 0; pair < pairs.size(); ++pair) {
                if (QStringView(context).mid(matchStart).startsWith(pairs[pair].open))
                    m_end.openPair[size_t(rule.delimitedIndex)] = std::uint8_t(pair + 1);
            }
        }
        return true;
    });
}

bool BlockHighlighter::hasUnclosedOpener(QStringView text, const SyntaxRule::Delimiter &pair)
{
    const qsizetype lastClose = text.lastIndexOf(pair.close);
    const qsizetype from =
        lastClose < 0 ? 0 : std::max<qsizetype>(0, lastClose - pair.open.size() + 1);
    return text.indexOf(pair.open, from) >= 0;
}

// Blank-run rules only ever cross line feeds through white space, so the text around the line
// reduces to: before it, a colon whose blank run reaches the line; after it, a line feed and a
// short stand-in for the first non-blank text.
void BlockHighlighter::paintBlankRun(Rule &rule, QStringView text, State start, Following after)
{
    if (!m_contextReady) {
        const QString before = start.colonPending ? QStringLiteral(":\n") : QString();
        m_contextOffset = int(before.size());
        m_context = before;
        m_context.append(text);
        if (after.next != NextText::endOfText)
            m_context +=
                QLatin1Char('\n') + QString::fromUtf16(nextTextSpelling[size_t(after.next)]);
        m_contextReady = true;
        m_dependence.next = true;
    }
    const int length = int(text.size());
    rule.regex.forEachMatch(m_context, [&](int matchStart, int matchEnd) {
        if (matchStart - m_contextOffset >= length)
            return false;
        paint(matchStart - m_contextOffset, matchEnd - m_contextOffset, rule.source->role);
        return true;
    });
}

void BlockHighlighter::finishBlankRunState(QStringView text, State start)
{
    int lastNonBlank = -1;
    m_lastNonBlank.forEachMatch(text, [&](int matchStart, int) {
        lastNonBlank = matchStart;
        return false;
    });
    // A blank line carries the colon on.
    m_end.colonPending =
        lastNonBlank < 0 ? start.colonPending : text[lastNonBlank] == QLatin1Char(':');
}

BlockHighlighter::Following BlockHighlighter::following(QStringView line, Following afterLine)
{
    Following result;
    for (const Rule &rule : m_rules) {
        const QList<SyntaxRule::Delimiter> &pairs = rule.source->delimiters;
        for (int pair = 0; pair < pairs.size(); ++pair) {
            const std::uint8_t bit = std::uint8_t(1u << (rule.firstPair + pair));
            if ((afterLine.closers & bit) || line.contains(pairs[pair].close))
                result.closers |= bit;
        }
    }
    if (!m_hasBlankRunRules)
        return result;
    QString text = line.toString();
    text.append(QLatin1Char('\n'));
    text.append(QString::fromUtf16(nextTextSpelling[size_t(afterLine.next)]));
    const int group = m_nextText.lookingAtGroup(text);
    if (group >= 1 && group <= 10)
        result.next = NextText(group);
    else if (group == 11)
        result.next = NextText::endOfText;
    else
        result.next = NextText::other;
    return result;
}
