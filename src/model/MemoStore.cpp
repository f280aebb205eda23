#include "model/MemoStore.h"

#include "model/MarkdownExportChooser.h"
#include "model/MemoFile.h"
#include "model/TextMatch.h"
#include "platform/Log.h"
#include "platform/Pasteboard.h"

#include <algorithm>

namespace {

bool newerFirst(const Memo &a, const Memo &b)
{
    return a.updatedAt > b.updatedAt;
}

// A memo read back from its file ends with a line feed the editor never held, and a confirmed
// text may end with line breaks: neither is new text.
QString withoutTrailingSpace(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

void MemoStore::reload()
{
    // Memos that could not be written live only in memory: write them before reading the
    // folder, and keep them as they are while that still fails.
    if (hasUnsavedChanges && !save())
        return;
    std::optional<QList<Memo>> loaded = folder.loadChanges();
    if (!loaded)
        return;
    memos = std::move(*loaded);
    if (!activeMemoID || indexOf(*activeMemoID) < 0) {
        activeMemoID.reset();
        if (!memos.isEmpty())
            activeMemoID = memos.first().id;
    }
    if (onChange)
        onChange();
}

std::optional<Memo> MemoStore::memo(QUuid id) const
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return std::nullopt;
    return memos.at(index);
}

Memo &MemoStore::prependNewMemo()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    memos.prepend(Memo{QUuid::createUuid(), dateTitle(now), QString(), now, false});
    activeMemoID = memos.first().id;
    return memos.first();
}

Memo MemoStore::create()
{
    const Memo memo = prependNewMemo();
    changed();
    return memo;
}

Memo MemoStore::activeOrCreate()
{
    if (activeMemoID) {
        if (std::optional<Memo> active = memo(*activeMemoID))
            return *active;
    }
    return create();
}

void MemoStore::setActiveText(const QString &text)
{
    const qsizetype index = activeMemoID ? indexOf(*activeMemoID) : -1;
    if (index < 0)
        return;
    memos[index].text = text;
    memos[index].updatedAt = QDateTime::currentDateTimeUtc();
    changed();
}

void MemoStore::writeEditorText(const QString &text)
{
    activeOrCreate();
    const qsizetype index = indexOf(*activeMemoID);
    const Memo &active = memos.at(index);
    if (mirrorsEditor(active)) {
        storeEditorText(index, m_editorMirror->prefix, text);
        return;
    }
    const QString kept = active.text.trimmed();
    if (kept.isEmpty() || textHasPrefix(text.trimmed(), kept)) {
        storeEditorText(index, QString(), text);
        return;
    }
    // The memo holds text the editor never held: it stays as it is.
    prependNewMemo();
    storeEditorText(0, QString(), text);
}

void MemoStore::applyInput(const QString &text)
{
    const QString input = text.trimmed();
    if (input.isEmpty())
        return;
    activeOrCreate();
    const qsizetype index = activeMemoID ? indexOf(*activeMemoID) : -1;
    if (index < 0)
        return;
    const Memo &active = memos.at(index);
    const QString current = withoutTrailingSpace(active.text);
    if (mirrorsEditor(active)) {
        // What a confirm wrote untrimmed (an indent, blank lines) is no change to trim away.
        if (!textEquals(current.trimmed(), (m_editorMirror->prefix + text).trimmed()))
            storeEditorText(index, m_editorMirror->prefix, input);
        return;
    }
    if (textEquals(current, input) || textHasSuffix(current, input))
        return;
    if (textHasPrefix(input, current))
        storeEditorText(index, QString(), input);
    else
        storeEditorText(index, current + QStringLiteral("\n\n"), input);
}

void MemoStore::editorDidLoadMemo(QUuid id)
{
    if (const std::optional<Memo> loaded = memo(id))
        m_editorMirror = EditorMirror{id, QString(), loaded->text.trimmed()};
}

void MemoStore::editorDidLoadOtherText()
{
    m_editorMirror.reset();
}

bool MemoStore::mirrorsEditor(const Memo &memo) const
{
    return m_editorMirror && m_editorMirror->id == memo.id &&
           memo.text.trimmed() == m_editorMirror->agreed;
}

void MemoStore::storeEditorText(qsizetype index, const QString &prefix, const QString &text)
{
    Memo &memo = memos[index];
    memo.text = prefix + text;
    memo.updatedAt = QDateTime::currentDateTimeUtc();
    m_editorMirror = EditorMirror{memo.id, prefix, memo.text.trimmed()};
    changed();
}

void MemoStore::select(QUuid id, bool copyToPasteboard)
{
    const std::optional<Memo> found = memo(id);
    if (!found)
        return;
    activeMemoID = id;
    if (copyToPasteboard && !found->text.isEmpty())
        Pasteboard::setString(found->text);
    changed();
}

void MemoStore::togglePin(QUuid id)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    memos[index].isPinned = !memos[index].isPinned;
    memos[index].updatedAt = QDateTime::currentDateTimeUtc();
    changed();
}

void MemoStore::remove(QUuid id)
{
    memos.removeIf([&](const Memo &memo) { return memo.id == id; });
    if (activeMemoID == id) {
        activeMemoID.reset();
        if (!memos.isEmpty())
            activeMemoID = memos.first().id;
    }
    changed();
}

QList<Memo> MemoStore::visibleMemos(int count) const
{
    const qsizetype n = std::max(count, 1);
    QList<Memo> pinned;
    QList<Memo> unpinned;
    for (const Memo &memo : memos)
        (memo.isPinned ? pinned : unpinned).append(memo);
    std::stable_sort(pinned.begin(), pinned.end(), newerFirst);
    std::stable_sort(unpinned.begin(), unpinned.end(), newerFirst);

    QList<Memo> result = pinned;
    for (qsizetype i = 0; i < unpinned.size() && result.size() < n; ++i)
        result.append(unpinned.at(i));

    const std::optional<Memo> active = activeMemoID ? memo(*activeMemoID) : std::nullopt;
    const auto isActive = [&](const Memo &memo) { return memo.id == *activeMemoID; };
    if (active && std::none_of(result.begin(), result.end(), isActive)) {
        if (result.size() >= n)
            result.removeLast();
        result.insert(std::min(pinned.size(), result.size()), *active);
    }
    return result;
}

bool MemoStore::exportMarkdown(const Memo &memo, MarkdownExportChooser &chooser) const
{
    const QString suggested = sanitizedFileName(memo.displayTitle()) + QStringLiteral(".md");
    const QString path = chooser.chooseMarkdownExportPath(suggested);
    if (path.isEmpty())
        return false;
    QString error;
    if (!writeMemoFile(memo, path, &error)) {
        logLine(QStringLiteral("Zorv: markdown export failed: ") + error);
        return false;
    }
    return true;
}

QString MemoStore::dateTitle(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return QString::asprintf("%02d.%02d.%02d:%02d", local.date().month(), local.date().day(),
                             local.time().hour(), local.time().minute());
}

QString MemoStore::sanitizedFileName(const QString &name)
{
    static const QString forbidden = QStringLiteral("/:\\?%*|\"<>");
    QString result = name;
    for (QChar &c : result) {
        if (forbidden.contains(c))
            c = u'_';
    }
    return result.isEmpty() ? QStringLiteral("memo") : result;
}

qsizetype MemoStore::indexOf(QUuid id) const
{
    for (qsizetype i = 0; i < memos.size(); ++i) {
        if (memos.at(i).id == id)
            return i;
    }
    return -1;
}

bool MemoStore::save()
{
    hasUnsavedChanges = !folder.saveAll(memos);
    return !hasUnsavedChanges;
}

// Files first, then the observer: the memo panel may re-read the folder.
void MemoStore::changed()
{
    save();
    if (onChange)
        onChange();
}
