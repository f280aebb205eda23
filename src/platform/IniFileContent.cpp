#include "platform/IniFileContent.h"

#include <QStringList>

namespace {

bool isHexDigit(QChar c)
{
    return c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// As Qt writes a text: control characters and all but ASCII as escapes, quotes around a text
// with a separator or with spaces at either end. Qt's reader takes up to four hex digits after
// "\x": a hex digit right after such an escape is escaped too.
QByteArray escaped(const QString &text)
{
    static const char named[] = {'a', 'b', 't', 'n', 'v', 'f', 'r'}; // \a = 7 ... \r = 13
    QByteArray out;
    bool afterHexEscape = false;
    bool needsQuotes = text.startsWith(u' ') || text.endsWith(u' ');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 7 && u <= 13) {
            out += '\\';
            out += named[u - 7];
            afterHexEscape = false;
        } else if (u < 0x20 || u >= 0x7f || (afterHexEscape && isHexDigit(c))) {
            out += "\\x" + QByteArray::number(u, 16);
            afterHexEscape = true;
        } else {
            if (u == '"' || u == '\\')
                out += '\\';
            needsQuotes = needsQuotes || u == ';' || u == ',' || u == '=';
            out += char(u);
            afterHexEscape = false;
        }
    }
    return needsQuotes ? '"' + out + '"' : out;
}

// A text that starts with "@" would read as a typed value: Qt doubles the "@".
QByteArray valueText(const QString &text)
{
    return escaped(text.startsWith(u'@') ? u'@' + text : text);
}

QByteArray escapedKey(const QString &key)
{
    QByteArray out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if ((u < 0x80 && c.isLetterOrNumber()) || u == '-' || u == '_' || u == '.')
            out += char(u);
        else if (u == '/')
            out += '\\';
        else if (u < 0x100)
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        else
            out += "%U" + QByteArray::number(u, 16).rightJustified(4, '0').toUpper();
    }
    return out;
}

QByteArray line(const QString &key, const QVariant &value)
{
    QByteArray text;
    if (value.typeId() == QMetaType::QStringList) {
        const QStringList items = value.toStringList();
        for (const QString &item : items)
            text += (text.isEmpty() ? "" : ", ") + valueText(item);
        if (items.size() == 1)
            text += ", "; // Qt's mark of a one-item list
        else if (items.isEmpty())
            text = "@Invalid()";
    } else {
        text = valueText(value.toString());
    }
    return escapedKey(key) + '=' + text + '\n';
}

} // namespace

QByteArray iniFileContent(const QVariantMap &values)
{
    QMap<QString, QByteArray> sections;
    for (auto value = values.begin(); value != values.end(); ++value) {
        const qsizetype slash = value.key().indexOf(u'/');
        const QString section = slash > 0 ? value.key().left(slash) : QStringLiteral("General");
        sections[section] += line(slash > 0 ? value.key().mid(slash + 1) : value.key(), *value);
    }
    QByteArray out;
    for (auto section = sections.begin(); section != sections.end(); ++section) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + escapedKey(section.key()) + "]\n" + *section;
    }
    return out;
}
