#pragma once

#include "model/Card.h"
#include "model/Memo.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// Where the history and memos go when the data folder can't take them at quit:
// "$XDG_STATE_HOME/Zorv/rescue-<time>/" (~/.local/state when unset), with "history.json"
// and one "<id>.md" per memo, in the data folder's own formats. Returns the folder, or an
// empty string and *error.
QString writeRescueCopy(const QList<Card> &cards, const std::optional<QUuid> &activeCardID,
                        const QList<Memo> &memos, QString *error);
