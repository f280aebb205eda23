#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// One confirmed text in the history.
struct Card
{
    QUuid id;
    QString text; // exactly as confirmed, not trimmed
    QDateTime createdAt;
    bool isPinned = false; // pinned cards survive the history limit

    friend bool operator==(const Card &, const Card &) = default;
};
