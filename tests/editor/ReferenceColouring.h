#pragma once

#include "editor/IcuRegex.h"
#include "editor/SyntaxRole.h"
#include "editor/SyntaxRule.h"

#include <QString>

#include <vector>

// The colouring rules applied literally: every rule of the language, in order, searched over the
// whole text, each match painted over what earlier rules painted. Slow and obviously right; the
// incremental highlighter must agree with it everywhere.
inline std::vector<SyntaxRole> referenceRoles(const QString &text, EditorLanguage language)
{
    std::vector<SyntaxRole> roles(size_t(text.size()), SyntaxRole::none);
    for (const SyntaxRule &rule : SyntaxRule::forLanguage(language)) {
        IcuRegex regex = rule.compiled.clone();
        regex.forEachMatch(text, [&](int start, int end) {
            std::fill(roles.begin() + start, roles.begin() + end, rule.role);
            return true;
        });
    }
    return roles;
}

// One letter per character: . none, c comment, s string, k keyword, t tag, a attribute,
// p property, n number, e selector; line feeds stay line feeds.
inline QString roleLetters(const QString &text, const std::vector<SyntaxRole> &roles)
{
    static const char letters[] = ".csktapne";
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n'))
            result += QLatin1Char('\n');
        else
            result += QLatin1Char(letters[int(roles[size_t(i)])]);
    }
    return result;
}
