#include "settings/FormNumberParser.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

std::optional<double> FormNumberParser::parseDouble(const QString &text)
{
    // QString::toDouble alone would also take surrounding spaces, "inf" and "nan".
    static const QRegularExpression syntax(
        QStringLiteral("\\A[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?\\z"));
    if (!syntax.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> FormNumberParser::parseInteger(const QString &text)
{
    static const QRegularExpression syntax(QStringLiteral("\\A[+-]?[0-9]+\\z"));
    if (!syntax.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10); // only fails on overflow here
    if (!ok)
        return std::nullopt;
    return value;
}
