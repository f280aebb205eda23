#pragma once

#include <QString>

#include <optional>

// The strict number syntax of the settings form's text fields. The whole text must be the
// number: no surrounding white space, no group separators, no locale decimal comma, ASCII
// digits only. A field whose text fails is left unsaved.
class FormNumberParser
{
public:
    FormNumberParser() = delete;

    // A C-locale floating-point number in decimal or exponent notation ("12.5", "-3", ".5",
    // "1e1"); no hexadecimal, infinity or NaN.
    static std::optional<double> parseDouble(const QString &text);

    // An optional "+" or "-" followed by decimal digits; nothing when it overflows.
    static std::optional<qint64> parseInteger(const QString &text);
};
