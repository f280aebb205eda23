#include "model/MemoFile.h"

#include "model/StoredValues.h"
#include "model/TextMatch.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Split points are line feeds that do not end a CR LF pair.
QStringList splitLines(const QString &content)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content.at(i) == u'\n' && (i == 0 || content.at(i - 1) != u'\r')) {
            lines.append(content.mid(start, i - start));
            start = i + 1;
        }
    }
    lines.append(content.mid(start));
    return lines;
}

bool isHeaderFiller(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed == u"pin: true" || trimmed == u"pin: false";
}

} // namespace

QByteArray memoFileContent(const Memo &memo)
{
    QString content = QStringLiteral("# ") + memo.title + u'\n';
    if (memo.isPinned)
        content += QStringLiteral("pin: true\n");
    content += u'\n';
    content += memo.text;
    // A CR LF pair is one character, which is not a line feed.
    if (!content.endsWith(u'\n') || content.endsWith(QLatin1String("\r\n")))
        content += u'\n';
    return content.toUtf8();
}

MemoContent parseMemoContent(const QString &content, const QString &fallbackTitle)
{
    QStringList lines = splitLines(content);
    const QString first = lines.first().trimmed();
    if (!textHasPrefix(first, QStringLiteral("#")))
        return {fallbackTitle, content.trimmed()};

    // Only one "#" goes: "## A" is titled "# A".
    QString title = first.mid(1).trimmed();
    lines.removeFirst();
    while (!lines.isEmpty() && isHeaderFiller(lines.first()))
        lines.removeFirst();
    if (title.isEmpty())
        title = fallbackTitle;
    return {title, lines.join(u'\n')};
}

std::optional<Memo> parseMemoFile(const QFileInfo &entry, QByteArray *bytes)
{
    const QString base = entry.completeBaseName();
    const std::optional<QUuid> id = uuidFromText(base);
    if (!id)
        return std::nullopt;
    QFile file(entry.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString content = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;

    const MemoContent parsed = parseMemoContent(content, base);
    QDateTime updatedAt = entry.lastModified();
    if (!updatedAt.isValid())
        updatedAt = QDateTime::currentDateTimeUtc();
    if (bytes)
        *bytes = data;
    return Memo{*id, parsed.title, parsed.text, updatedAt,
                content.contains(QLatin1String("pin: true"))};
}

bool writeMemoFile(const Memo &memo, const QString &path, QString *error)
{
    return AtomicFile::write(path, memoFileContent(memo), error);
}
