#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// One memo; its file in "Memos" is named by the id.
struct Memo
{
    QUuid id;
    QString title; // the file's heading; changed only by editing the file outside
    QString text;
    QDateTime updatedAt; // stands for the file's modification time
    bool isPinned = false;

    // The trimmed title, else the first line of the text cut to 24 characters, else "無題".
    QString displayTitle() const;

    friend bool operator==(const Memo &, const Memo &) = default;
};
