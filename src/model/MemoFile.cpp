#include "model/MemoFile.h"

#include "model/StoredValues.h"
#include "model/TextMatch.h"
#include "platform/AtomicFile.h"
#include "platform/FileTimes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

std::optional<Memo> decodeLegacyMemo(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue title = object.value(QLatin1String("title"));
    const QJsonValue text = object.value(QLatin1String("text"));
    const QJsonValue updatedAt = object.value(QLatin1String("updatedAt"));
    const QJsonValue isPinned = object.value(QLatin1String("isPinned"));
    const bool pinOk = isPinned.isBool() || isPinned.isNull() || isPinned.isUndefined();
    if (!value.isObject() || !id.isString() || !title.isString() || !text.isString() ||
        !updatedAt.isDouble() || !pinOk)
        return std::nullopt;
    const std::optional<QUuid> uuid = uuidFromText(id.toString());
    if (!uuid)
        return std::nullopt;
    return Memo{*uuid, title.toString(), text.toString(),
                dateFromReferenceSeconds(updatedAt.toDouble()), isPinned.toBool(false)};
}

} // namespace

std::optional<QList<Memo>> decodeLegacyMemos(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<Memo> memos;
    for (const QJsonValue &value : document.array()) {
        std::optional<Memo> memo = decodeLegacyMemo(value);
        if (!memo)
            return std::nullopt;
        memos.append(std::move(*memo));
    }
    return memos;
}

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

std::optional<Memo> decodeMemoFile(const QByteArray &data, const QUuid &id,
                                   const QString &fallbackTitle)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString content = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    const MemoContent parsed = parseMemoContent(content, fallbackTitle);
    return Memo{id, parsed.title, parsed.text, QDateTime(),
                content.contains(QLatin1String("pin: true"))};
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
    std::optional<Memo> memo = decodeMemoFile(data, *id, base);
    if (!memo)
        return std::nullopt;
    memo->updatedAt = fileModificationTime(entry.filePath());
    if (!memo->updatedAt.isValid())
        memo->updatedAt = QDateTime::currentDateTimeUtc();
    if (bytes)
        *bytes = data;
    return memo;
}

bool writeMemoFile(const Memo &memo, const QString &path, QString *error)
{
    return AtomicFile::write(path, memoFileContent(memo), error);
}
