#include "model/MemoFolder.h"

#include "model/DataFolder.h"
#include "model/MemoFile.h"
#include "model/StoredValues.h"
#include "platform/AtomicFile.h"
#include "platform/FileTimes.h"
#include "platform/Log.h"
#include "platform/PrivateFolder.h"
#include "platform/SaveStatus.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>

namespace {

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

QString memoPath(const QString &folder, const QUuid &id)
{
    return QDir(folder).filePath(uuidText(id) + QStringLiteral(".md"));
}

bool newerFirst(const Memo &a, const Memo &b)
{
    return a.updatedAt > b.updatedAt;
}

bool isMarkdown(const QFileInfo &entry)
{
    return entry.suffix().toLower() == u"md";
}

// Unchanged memos share their text with the record, so most checks need no comparison.
bool sameText(const QString &a, const QString &b)
{
    return a.isSharedWith(b) || a == b;
}

// Everything in the folder, hidden entries and folders included: any Markdown name there
// means the memos have moved on from "memos.json".
QFileInfoList folderEntries(const QString &folder)
{
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    return QDir(folder).entryInfoList(filter, QDir::NoSort);
}

// The candidates for memo files among entries: visible Markdown files, by name, so that ties
// in time come out the same each time.
QFileInfoList markdownFiles(const QFileInfoList &entries)
{
    QFileInfoList files;
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && !entry.isHidden() && isMarkdown(entry))
            files.append(entry);
    }
    std::sort(files.begin(), files.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.fileName() < b.fileName(); });
    return files;
}

// The file's time is the memo's updatedAt; a failure only costs the order.
void setModificationTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

QString MemoFolder::memosFolderURL()
{
    return memosFolderIn(dataFolderURL());
}

QString MemoFolder::memosFolderIn(const QString &dataFolder)
{
    return dataFolder.isEmpty() ? QString() : QDir(dataFolder).filePath(QStringLiteral("Memos"));
}

QList<Memo> MemoFolder::loadAll()
{
    QHash<QString, Record> previous;
    for (Record &record : records)
        previous.insert(record.path, std::move(record));
    records.clear();
    const QString data = dataFolderURL();
    if (data.isEmpty())
        return {};
    const QString folder = memosFolderIn(data);
    // Watched before it is listed: a change made while it is read is seen at the next load.
    if (!watch.isWatching(folder) || !watch.takeChangedNames())
        watch.watch(folder);
    QFileInfoList entries = folderEntries(folder);
    // The folder is listed again only when the import wrote memo files into it.
    if (std::none_of(entries.begin(), entries.end(), isMarkdown) && importLegacyMemos(data))
        entries = folderEntries(folder);

    QList<Memo> memos;
    for (const QFileInfo &entry : markdownFiles(entries)) {
        const auto known = previous.constFind(entry.filePath());
        if (std::optional<Memo> memo =
                readEntry(entry, known == previous.constEnd() ? nullptr : &*known))
            memos.append(std::move(*memo));
    }
    std::stable_sort(memos.begin(), memos.end(), newerFirst);
    return memos;
}

std::optional<QList<Memo>> MemoFolder::loadChanges()
{
    const QString folder = memosFolderURL();
    std::optional<QSet<QString>> names;
    if (watch.isWatching(folder))
        names = watch.takeChangedNames();
    if (!names || names->size() > 64)
        return loadAll();
    if (names->isEmpty())
        return std::nullopt;

    for (const QString &name : std::as_const(*names)) {
        const QFileInfo entry(QDir(folder).filePath(name));
        std::optional<Record> known;
        for (auto record = records.begin(); record != records.end(); ++record) {
            if (record->path == entry.filePath()) {
                known = records.take(record.key());
                break;
            }
        }
        if (entry.isFile() && !entry.isHidden() && isMarkdown(entry))
            readEntry(entry, known ? &*known : nullptr);
    }
    // A folder left without memos may take "memos.json" again.
    if (records.isEmpty())
        return loadAll();
    // The order of a full load: newest first, then by name.
    QList<const Record *> sorted;
    sorted.reserve(records.size());
    for (const Record &record : std::as_const(records))
        sorted.append(&record);
    std::sort(sorted.begin(), sorted.end(), [](const Record *a, const Record *b) {
        if (a->memo.updatedAt != b->memo.updatedAt)
            return a->memo.updatedAt > b->memo.updatedAt;
        return a->path < b->path;
    });
    QList<Memo> memos;
    memos.reserve(sorted.size());
    for (const Record *record : sorted)
        memos.append(record->memo);
    return memos;
}

// Reads the memo file entry unless its time and size are those of known, the record of its
// last read; either way the memo becomes the record of its id. A file the watch can't follow
// (a link to a file elsewhere) makes the next load list the folder again.
std::optional<Memo> MemoFolder::readEntry(const QFileInfo &entry, const Record *known)
{
    if (!FolderWatch::seesEveryChangeOf(entry.filePath()))
        watch.stop();
    if (known && known->readSize == entry.size() && known->readTime.isValid() &&
        known->readTime == fileModificationTime(entry.filePath())) {
        records.insert(known->memo.id, *known);
        return known->memo;
    }
    QByteArray bytes;
    std::optional<Memo> memo = parseMemoFile(entry, &bytes);
    if (!memo)
        return std::nullopt;
    // A memo's updatedAt is its file's time as read.
    records.insert(memo->id,
                   Record{*memo, digestOf(bytes), entry.filePath(), memo->updatedAt, entry.size()});
    return memo;
}

bool MemoFolder::saveAll(const QList<Memo> &memos)
{
    QString error;
    const QString data = dataFolderURL();
    const QString folder = memosFolderIn(data);
    if (!PrivateFolder::create(data, &error) || !PrivateFolder::create(folder, &error) ||
        !writeChanged(memos, folder, &error)) {
        const int errorNumber = errno;
        SaveStatus::shared().report(SaveStatus::Target::memos, false, errorNumber);
        logLine(QStringLiteral("Zorv: failed to save memos: ") + error);
        return false;
    }
    removeDeleted(memos);
    SaveStatus::shared().report(SaveStatus::Target::memos, true);
    return true;
}

// True when memos were imported (and so written into the folder).
bool MemoFolder::importLegacyMemos(const QString &dataFolder)
{
    QFile legacy(QDir(dataFolder).filePath(QStringLiteral("memos.json")));
    if (!legacy.exists() || !legacy.open(QIODevice::ReadOnly))
        return false;
    const std::optional<QList<Memo>> memos = decodeLegacyMemos(legacy.readAll());
    if (!memos || memos->isEmpty())
        return false;
    saveAll(*memos);
    return true;
}

// Writes the memos whose title, text or pin changed since their file was last read or
// written; where only updatedAt moved, the file just takes it as its time.
bool MemoFolder::writeChanged(const QList<Memo> &memos, const QString &folder, QString *error)
{
    for (const Memo &memo : memos) {
        const auto record = records.find(memo.id);
        const bool known = record != records.end();
        const QString path = known ? record->path : memoPath(folder, memo.id);
        const bool same = known && sameText(record->memo.title, memo.title) &&
                          sameText(record->memo.text, memo.text) &&
                          record->memo.isPinned == memo.isPinned;
        if (!same) {
            if (!writeMemo(memo, known ? &*record : nullptr, path, error))
                return false;
        } else if (record->memo.updatedAt != memo.updatedAt) {
            setModificationTime(path, memo.updatedAt);
            record->memo.updatedAt = memo.updatedAt;
        }
    }
    return true;
}

// record is what Zorv last knew of the file, null for a memo without one.
bool MemoFolder::writeMemo(const Memo &memo, const Record *record, const QString &path,
                           QString *error)
{
    if (!keepOtherVersion(path, record, error))
        return false;
    const QByteArray bytes = memoFileContent(memo);
    if (!AtomicFile::write(path, bytes, error))
        return false;
    setModificationTime(path, memo.updatedAt);
    records.insert(memo.id, Record{memo, digestOf(bytes), path, {}, -1});
    return true;
}

// Removes the files of memos deleted in Zorv; files added by others are not Zorv's to remove.
void MemoFolder::removeDeleted(const QList<Memo> &memos)
{
    QSet<QUuid> kept;
    for (const Memo &memo : memos)
        kept.insert(memo.id);
    for (auto record = records.begin(); record != records.end();) {
        if (kept.contains(record.key())) {
            ++record;
            continue;
        }
        if (keepOtherVersion(record->path, &*record, nullptr))
            QFile::remove(record->path); // a failure leaves it to come back at the next reload
        record = records.erase(record);
    }
}

// When the file at path is not what Zorv last read or wrote there, another program changed
// it: its version is moved aside before Zorv writes or removes the file. Returns false when
// that version could not be kept.
bool MemoFolder::keepOtherVersion(const QString &path, const Record *record, QString *error) const
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (record && file.open(QIODevice::ReadOnly) && digestOf(file.readAll()) == record->digest)
        return true;
    file.close();

    const QString name = QStringLiteral("%1 (other version %2).md")
                             .arg(QFileInfo(path).completeBaseName(), asideTimeStamp());
    if (!QFile::rename(path, QFileInfo(path).dir().filePath(name))) {
        if (error)
            *error = QStringLiteral("could not keep the other version of %1").arg(path);
        return false;
    }
    logLine(QStringLiteral("Zorv: %1 was changed by another program; kept that version as %2")
                .arg(QFileInfo(path).fileName(), name));
    return true;
}
