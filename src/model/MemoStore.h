#pragma once

#include "model/Memo.h"
#include "model/MemoFolder.h"

#include <QList>
#include <QUuid>

#include <functional>
#include <optional>

class MarkdownExportChooser;

// All memos, newest first after a reload, with the memo the editor's text goes into.
// Every change is written to the memo files first, then onChange is called.
class MemoStore
{
public:
    QList<Memo> memos;
    std::optional<QUuid> activeMemoID;
    std::function<void()> onChange;

    // Re-reads the folder; the files replace what is in memory.
    void reload();
    // Ids are taken by value: callers pass ids held in the list that the operation changes.
    std::optional<Memo> memo(QUuid id) const;
    Memo create();
    Memo activeOrCreate();
    // Sets the active memo's text as given (not trimmed); updatedAt moves even when unchanged.
    void setActiveText(const QString &text);
    // Merges the editor's text into the active memo: replaces a text it extends, appends
    // after a blank line otherwise, and leaves a memo that already ends with it alone.
    void applyInput(const QString &text);
    void select(QUuid id, bool copyToPasteboard);
    void togglePin(QUuid id);
    void remove(QUuid id);
    // Pinned memos (all of them), then the newest others up to count; the active memo
    // always has a place.
    QList<Memo> visibleMemos(int count) const;
    bool exportMarkdown(const Memo &memo, MarkdownExportChooser &chooser) const;

    // "MM.dd.HH:mm" in local time: the title of a new memo.
    static QString dateTitle(const QDateTime &time);
    // name with / : \ ? % * | " < > replaced by "_"; "memo" when empty.
    static QString sanitizedFileName(const QString &name);

private:
    qsizetype indexOf(QUuid id) const;
    void changed();

    MemoFolder folder;
};
