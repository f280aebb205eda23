#pragma once

#include <QString>

// Comparisons by user-perceived characters: canonically equivalent texts are equal
// (a precomposed "é" matches "e" + combining accent), and a prefix or suffix must end on a
// character boundary (so "\n" is not a suffix of "\r\n", nor "#" a prefix of "#️⃣").

bool textEquals(const QString &a, const QString &b);
bool textHasPrefix(const QString &text, const QString &prefix);
bool textHasSuffix(const QString &text, const QString &suffix);

// The first count user-perceived characters of text.
QString leftCharacters(const QString &text, int count);
