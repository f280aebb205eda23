#include "model/Memo.h"

#include "model/TextMatch.h"

namespace {

bool isNewline(QChar c)
{
    switch (c.unicode()) {
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

} // namespace

QString Memo::displayTitle() const
{
    const QString heading = title.trimmed();
    if (!heading.isEmpty())
        return heading;
    qsizetype end = 0;
    while (end < text.size() && !isNewline(text.at(end)))
        ++end;
    const QString firstLine = text.left(end).trimmed();
    if (!firstLine.isEmpty())
        return leftCharacters(firstLine, 24);
    return QStringLiteral("無題");
}
