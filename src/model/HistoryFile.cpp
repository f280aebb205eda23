#include "model/HistoryFile.h"

#include "model/DataFolder.h"
#include "model/StoredValues.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"
#include "platform/SaveStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>

namespace {

// The path of a history file that existed but could not be read at load time; it is moved
// aside before anything is written in its place.
QString &unreadableHistoryPath()
{
    static QString path;
    return path;
}

QString historyPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("history.json"));
}

QByteArray encodeCard(const Card &card)
{
    return "{\"id\":" + jsonString(uuidText(card.id)) + ",\"text\":" + jsonString(card.text) +
           ",\"createdAt\":" + jsonNumber(referenceSeconds(card.createdAt)) +
           ",\"isPinned\":" + (card.isPinned ? "true" : "false") + '}';
}

std::optional<Card> decodeCard(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue text = object.value(QLatin1String("text"));
    const QJsonValue createdAt = object.value(QLatin1String("createdAt"));
    const QJsonValue isPinned = object.value(QLatin1String("isPinned"));
    if (!value.isObject() || !id.isString() || !text.isString() || !createdAt.isDouble() ||
        !isPinned.isBool())
        return std::nullopt;
    const std::optional<QUuid> uuid = uuidFromText(id.toString());
    if (!uuid)
        return std::nullopt;
    return Card{*uuid, text.toString(), dateFromReferenceSeconds(createdAt.toDouble()),
                isPinned.toBool()};
}

// Keeps a history file that could not be read instead of silently replacing it.
bool moveUnreadableAside(const QString &folder, const QString &path)
{
    const QString name = QStringLiteral("history.unreadable-%1.json").arg(asideTimeStamp());
    if (!QFile::rename(path, QDir(folder).filePath(name)))
        return false;
    logLine(QStringLiteral("Zorv: history.json could not be read; kept it as %1").arg(name));
    return true;
}

} // namespace

QByteArray encodeHistory(const HistorySnapshot &snapshot)
{
    QByteArray json = "{\"cards\":[";
    for (qsizetype i = 0; i < snapshot.cards.size(); ++i) {
        if (i > 0)
            json += ',';
        json += encodeCard(snapshot.cards.at(i));
    }
    json += ']';
    if (snapshot.activeCardID)
        json += ",\"activeCardID\":" + jsonString(uuidText(*snapshot.activeCardID));
    json += '}';
    return json;
}

std::optional<HistorySnapshot> decodeHistory(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonValue cards = document.object().value(QLatin1String("cards"));
    if (error.error != QJsonParseError::NoError || !document.isObject() || !cards.isArray())
        return std::nullopt;

    HistorySnapshot snapshot;
    for (const QJsonValue &value : cards.toArray()) {
        std::optional<Card> card = decodeCard(value);
        if (!card)
            return std::nullopt;
        snapshot.cards.append(std::move(*card));
    }
    const QJsonValue active = document.object().value(QLatin1String("activeCardID"));
    if (active.isUndefined() || active.isNull())
        return snapshot;
    const std::optional<QUuid> activeID =
        active.isString() ? uuidFromText(active.toString()) : std::nullopt;
    if (!activeID)
        return std::nullopt;
    snapshot.activeCardID = activeID;
    return snapshot;
}

std::optional<HistorySnapshot> loadHistory()
{
    const QString folder = dataFolderURL();
    if (folder.isEmpty())
        return std::nullopt;
    const QString path = historyPath(folder);
    unreadableHistoryPath().clear();
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    std::optional<HistorySnapshot> snapshot;
    if (file.open(QIODevice::ReadOnly))
        snapshot = decodeHistory(file.readAll());
    if (!snapshot)
        unreadableHistoryPath() = path;
    return snapshot;
}

bool saveHistory(const QList<Card> &cards, const std::optional<QUuid> &activeCardID)
{
    const QString folder = dataFolderURL();
    if (folder.isEmpty())
        return false;
    const QString path = historyPath(folder);
    QString error;
    int errorNumber = 0;
    if (unreadableHistoryPath() == path) {
        // Until the old file is safely aside, the history lives in memory only.
        if (QFileInfo::exists(path) && !moveUnreadableAside(folder, path)) {
            errorNumber = errno;
            error = QStringLiteral("could not keep the unreadable %1 aside").arg(path);
        } else {
            unreadableHistoryPath().clear();
        }
    }
    if (error.isEmpty() &&
        !AtomicFile::write(path, encodeHistory(HistorySnapshot{cards, activeCardID}), &error))
        errorNumber = errno;
    SaveStatus::shared().report(SaveStatus::Target::history, error.isEmpty(), errorNumber);
    if (!error.isEmpty())
        logLine(QStringLiteral("Zorv: failed to save history: ") + error);
    return error.isEmpty();
}
