#pragma once

#include "model/Memo.h"
#include "platform/FolderWatch.h"

#include <QByteArray>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QUuid>

#include <optional>

// The folder "Memos" in the data folder, one Markdown file per memo. It remembers what it
// last read from or wrote to each file, so that a save writes only the memos changed in
// Zorv, removes only the memos deleted in Zorv, and never overwrites an edit made by
// another program: that version is kept beside the memo under a name that is not a UUID.
class MemoFolder
{
public:
    static QString memosFolderURL();

    // Imports "memos.json" when the folder has no Markdown file, then reads every memo,
    // newest first. What was read becomes the state later saves compare against. A file
    // whose time and size are those it had when last read is not read again: the panel
    // reloads the folder at every show and activation.
    QList<Memo> loadAll();
    // What loadAll would return, found with as little disk work as the folder's watch allows:
    // none when nothing in the folder changed since the last load, only the changed files read
    // when the watch names them, and loadAll when it can't tell.
    std::optional<QList<Memo>> loadChanges();

    // Brings the folder in line with memos. Logs "Zorv: failed to save memos: " and stops
    // at the first folder or file that can't be written.
    bool saveAll(const QList<Memo> &memos);

private:
    struct Record
    {
        Memo memo;         // as last read or written
        QByteArray digest; // of the file's bytes then
        QString path;      // as found: another program may have named it in lower case
        // The file's time and size when it was read; none once Zorv has written it since.
        QDateTime readTime;
        qint64 readSize = -1;
    };

    static QString memosFolderIn(const QString &dataFolder);
    std::optional<Memo> readEntry(const QFileInfo &entry, const Record *known);
    bool importLegacyMemos(const QString &dataFolder);
    bool writeChanged(const QList<Memo> &memos, const QString &folder, QString *error);
    bool writeMemo(const Memo &memo, const Record *record, const QString &path, QString *error);
    void removeDeleted(const QList<Memo> &memos);
    bool keepOtherVersion(const QString &path, const Record *record, QString *error) const;

    QHash<QUuid, Record> records;
    FolderWatch watch;
};
