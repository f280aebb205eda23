#include "editor/SyntaxRule.h"

#include <unicode/uregex.h>

#include <array>

namespace {

using Reach = SyntaxRule::Reach;

SyntaxRule rule(const char16_t *pattern, SyntaxRole role, Reach reach = Reach::line,
                QList<SyntaxRule::Delimiter> delimiters = {}, bool dotAll = false)
{
    SyntaxRule made;
    made.pattern = QString::fromUtf16(pattern);
    made.dotMatchesLineSeparators = dotAll;
    made.role = role;
    made.reach = reach;
    made.delimiters = std::move(delimiters);
    made.compiled = IcuRegex(made.pattern, dotAll ? UREGEX_DOTALL : 0);
    return made;
}

SyntaxRule withShortcut(SyntaxRule made, const char *mustContain, bool needsDigit = false)
{
    made.mustContain = QString::fromLatin1(mustContain);
    made.needsDigit = needsDigit;
    return made;
}

SyntaxRule blockComment(const char16_t *pattern, const char *open, const char *close)
{
    return rule(pattern, SyntaxRole::comment, Reach::delimited,
                {{QString::fromLatin1(open), QString::fromLatin1(close)}}, true);
}

QList<SyntaxRule::Delimiter> quotes(const QString &characters)
{
    QList<SyntaxRule::Delimiter> pairs;
    for (QChar quote : characters)
        pairs.append({QString(quote), QString(quote)});
    return pairs;
}

std::vector<SyntaxRule> htmlRules()
{
    std::vector<SyntaxRule> rules;
    rules.push_back(blockComment(u"(?s)<!--.*?-->", "<!--", "-->"));
    rules.push_back(rule(uR"("[^"]*"|'[^']*')", SyntaxRole::string, Reach::delimited,
                         quotes(QStringLiteral("\"'"))));
    rules.push_back(withShortcut(rule(uR"(</?[\w][\w0-9:-]*)", SyntaxRole::tag), "<"));
    rules.push_back(withShortcut(
        rule(uR"(\s[\w-]+(?==))", SyntaxRole::attribute, Reach::lineAndFeedBefore), "="));
    return rules;
}

std::vector<SyntaxRule> cssRules()
{
    std::vector<SyntaxRule> rules;
    rules.push_back(blockComment(uR"(/\*.*?\*/)", "/*", "*/"));
    rules.push_back(withShortcut(rule(uR"((?m)//.*$)", SyntaxRole::comment), "//"));
    rules.push_back(rule(uR"("[^"]*"|'[^']*')", SyntaxRole::string, Reach::delimited,
                         quotes(QStringLiteral("\"'"))));
    rules.push_back(rule(uR"((?m)^[\s]*[#.][\w-]+|(?m)^[\s]*[\w-]+(?=\s*[,{]))",
                         SyntaxRole::selector, Reach::blankRun));
    rules.push_back(rule(uR"((?m)[\w-]+(?=\s*:))", SyntaxRole::property, Reach::blankRun));
    rules.push_back(rule(uR"(:\s*[#\w][\w-]*)", SyntaxRole::string, Reach::blankRun));
    rules.push_back(withShortcut(
        rule(uR"(\b\d+(\.\d+)?(px|em|rem|%|vh|vw)?\b)", SyntaxRole::number), "", true));
    return rules;
}

std::vector<SyntaxRule> javaScriptRules()
{
    std::vector<SyntaxRule> rules;
    rules.push_back(blockComment(uR"(/\*.*?\*/)", "/*", "*/"));
    rules.push_back(withShortcut(rule(uR"((?m)//.*$)", SyntaxRole::comment), "//"));
    rules.push_back(rule(uR"(`[^`]*`|"[^"]*"|'[^']*')", SyntaxRole::string, Reach::delimited,
                         quotes(QStringLiteral("`\"'"))));
    SyntaxRule keywords = rule(
        uR"(\b(async|await|break|case|catch|class|const|continue|default|delete|else|export|extends|finally|for|from|function|if|import|in|let|new|return|static|switch|throw|try|typeof|var|void|while)\b)",
        SyntaxRole::keyword);
    keywords.keywords =
        QStringLiteral("async await break case catch class const continue default delete else "
                       "export extends finally for from function if import in let new return "
                       "static switch throw try typeof var void while")
            .split(QLatin1Char(' '));
    rules.push_back(std::move(keywords));
    rules.push_back(withShortcut(rule(uR"(\b\d+(\.\d+)?\b)", SyntaxRole::number), "", true));
    return rules;
}

} // namespace

const std::vector<SyntaxRule> &SyntaxRule::forLanguage(EditorLanguage language)
{
    static const std::array<std::vector<SyntaxRule>, 4> rules = {
        std::vector<SyntaxRule>{}, htmlRules(), cssRules(), javaScriptRules()};
    switch (language) {
    case EditorLanguage::html:
        return rules[1];
    case EditorLanguage::css:
        return rules[2];
    case EditorLanguage::javascript:
        return rules[3];
    case EditorLanguage::plain:
        break;
    }
    return rules[0];
}
