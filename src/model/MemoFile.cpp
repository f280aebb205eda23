#include "model/MemoFile.h"

#include "model/StoredValues.h"
#include "model/TextMatch.h"
#include "platform/AtomicFile.h"
#include "platform/FileTimes.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The end of the line that starts at start: the next line feed that does not end a CR LF pair.
qsizetype lineEnd(const QString &content, qsizetype start)
{
    qsizetype end = content.indexOf(u'\n', start);
    while (end > 0 && content.at(end - 1) == u'\r')
        end = content.indexOf(u'\n', end + 1);
    return end < 0 ? content.size() : end;
}

bool isHeaderFiller(QStringView line)
{
    const QStringView trimmed = line.trimmed();
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
    qsizetype end = lineEnd(content, 0);
    const QString first = content.first(end).trimmed();
    if (!textHasPrefix(first, QStringLiteral("#")))
        return {fallbackTitle, content.trimmed()};

    // Only one "#" goes: "## A" is titled "# A".
    QString title = first.mid(1).trimmed();
    if (title.isEmpty())
        title = fallbackTitle;
    // Blank and pin lines after the heading go; the rest, up to the end, is the text.
    while (end < content.size()) {
        const qsizetype start = end + 1;
        end = lineEnd(content, start);
        if (!isHeaderFiller(QStringView(content).sliced(start, end - start)))
            return {title, content.sliced(start)};
    }
    return {title, QString()};
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
    QDateTime updatedAt = fileModificationTime(entry.filePath());
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
