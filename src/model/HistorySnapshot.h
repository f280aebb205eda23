#pragma once

#include "model/Card.h"

#include <QList>
#include <QUuid>

#include <optional>

// The history as "history.json" holds it.
struct HistorySnapshot
{
    QList<Card> cards;
    std::optional<QUuid> activeCardID;

    friend bool operator==(const HistorySnapshot &, const HistorySnapshot &) = default;
};
