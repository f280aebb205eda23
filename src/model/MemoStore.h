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

    // Re-reads what changed in the folder; the files replace what is in memory, and when
    // nothing changed nothing is read and onChange is not called. While memos could not be
    // written, it writes them again instead and reads nothing until that succeeds.
    void reload();
    // Writes what changed since the last save; false when something could not be written.
    bool save();
    // Ids are taken by value: callers pass ids held in the list that the operation changes.
    std::optional<Memo> memo(QUuid id) const;
    Memo create();
    Memo activeOrCreate();
    // Sets the active memo's text as given (not trimmed); updatedAt moves even when unchanged.
    void setActiveText(const QString &text);
    // Confirm and "反映": the editor's whole text (not trimmed) becomes the active memo's text
    // when that memo is empty, mirrors the editor or is where the text grew from; any other
    // memo keeps its text and the editor's text goes into a new, active memo.
    void writeEditorText(const QString &text);
    // Collapse: merges the editor's text into the active memo. A memo that mirrors the editor
    // follows it; any other memo takes a text that extends it, keeps a text it already ends
    // with, and gets any other text appended after a blank line.
    void applyInput(const QString &text);
    // The editor's whole text was loaded from memo id, so that memo mirrors it.
    void editorDidLoadMemo(QUuid id);
    // The editor's text was replaced from elsewhere (a card, clearing): no memo mirrors it.
    void editorDidLoadOtherText();
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
    // The memo that mirrors the editor in this run: it was loaded into the editor or last
    // written from it, and holds `prefix` (what it held before, when the editor's text was
    // appended) followed by the editor's text. `agreed` is its whole text, trimmed, at that
    // moment: a memo changed since (by another program) no longer mirrors the editor.
    struct EditorMirror
    {
        QUuid id;
        QString prefix;
        QString agreed;
    };

    qsizetype indexOf(QUuid id) const;
    Memo &prependNewMemo();
    bool mirrorsEditor(const Memo &memo) const;
    void storeEditorText(qsizetype index, const QString &prefix, const QString &text);
    void changed();

    std::optional<EditorMirror> m_editorMirror;

    MemoFolder folder;
    bool hasUnsavedChanges = false;
};
