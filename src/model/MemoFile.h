#pragma once

#include "model/Memo.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>
#include <QString>

#include <optional>

// The Markdown layout of one memo file:
//   "# " title "\n"  ["pin: true\n"]  "\n"  text  ["\n" unless the text already ends in one]
// The file holds no date: its modification time stands for updatedAt.

struct MemoContent
{
    QString title;
    QString text;
};

QByteArray memoFileContent(const Memo &memo);

// Lines are split at line feeds; a CR LF pair counts as one character, so a file with
// CR LF line ends is one line. Without a "#" heading, the whole trimmed content is the text.
MemoContent parseMemoContent(const QString &content, const QString &fallbackTitle);

// The memo in a file's bytes, its updatedAt left invalid; none when they are not UTF-8.
std::optional<Memo> decodeMemoFile(const QByteArray &data, const QUuid &id,
                                   const QString &fallbackTitle);

// Reads the memo in entry, whose base name must be a UUID; files that are not UTF-8 are
// skipped. The file's bytes go to *bytes when given.
std::optional<Memo> parseMemoFile(const QFileInfo &entry, QByteArray *bytes = nullptr);

// "memos.json" of earlier versions: a JSON array of {"id","title","text","updatedAt",
// "isPinned"}. One bad element makes the whole file unreadable.
std::optional<QList<Memo>> decodeLegacyMemos(const QByteArray &json);

bool writeMemoFile(const Memo &memo, const QString &path, QString *error = nullptr);
