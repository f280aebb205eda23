#pragma once

#include "model/HistorySnapshot.h"

#include <QByteArray>

#include <optional>

// "history.json" in the data folder: compact UTF-8 JSON,
// {"cards":[{"id":…,"text":…,"createdAt":…,"isPinned":…},…],"activeCardID":…}
// with "activeCardID" left out when there is no active card.

QByteArray encodeHistory(const HistorySnapshot &snapshot);

// Keys may come in any order and unknown keys are ignored. One malformed card makes the
// whole file unreadable: a partial history would be saved over the full one.
std::optional<HistorySnapshot> decodeHistory(const QByteArray &json);

// None when the file is missing or unreadable.
std::optional<HistorySnapshot> loadHistory();

// Rewrites the whole file atomically. A failure logs "Zorv: failed to save history: " and the
// error, and stays on SaveStatus until a later save succeeds. A file that failed to load is not
// lost: the first save moves it aside under a name "history.unreadable-<time>.json" and logs
// one line.
bool saveHistory(const QList<Card> &cards, const std::optional<QUuid> &activeCardID);
