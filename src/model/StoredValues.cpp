#include "model/StoredValues.h"

#include <QLocale>

#include <cmath>

namespace {
// 2001-01-01 00:00:00 UTC in milliseconds since the Unix epoch.
constexpr qint64 referenceEpochMs = 978307200000;

// The escape for c, or null when c stands for itself.
const char *shortEscape(char16_t c)
{
    switch (c) {
    case u'"':
        return "\\\"";
    case u'\\':
        return "\\\\";
    case u'/':
        return "\\/";
    case u'\b':
        return "\\b";
    case u'\f':
        return "\\f";
    case u'\n':
        return "\\n";
    case u'\r':
        return "\\r";
    case u'\t':
        return "\\t";
    default:
        return nullptr;
    }
}

} // namespace

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> uuidFromText(const QString &text)
{
    if (text.size() != 36)
        return std::nullopt;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char16_t u = c.unicode();
        const bool hex =
            (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (dash ? c != u'-' : !hex)
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

double referenceSeconds(const QDateTime &time)
{
    // One division of an exact integer, so 0.789 is written as 0.789.
    return double(time.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
}

QDateTime dateFromReferenceSeconds(double seconds)
{
    const qint64 ms = std::llround(seconds * 1000.0) + referenceEpochMs;
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

QString asideTimeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

QByteArray jsonString(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    qsizetype plain = 0; // start of the run of characters that need no escape
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const char *escape = shortEscape(c);
        if (!escape && c >= 0x20)
            continue;
        out += QStringView(text).sliced(plain, i - plain).toUtf8();
        out += escape ? QByteArray(escape)
                      : "\\u00" + QByteArray::number(c, 16).rightJustified(2, '0');
        plain = i + 1;
    }
    out += QStringView(text).sliced(plain).toUtf8();
    out += '"';
    return out;
}

QByteArray jsonNumber(double value)
{
    return QByteArray::number(value, 'f', QLocale::FloatingPointShortest);
}
