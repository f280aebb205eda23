#pragma once

#include "model/Card.h"

#include <QList>
#include <QUuid>

#include <functional>
#include <optional>

// The history of confirmed texts, top first, with the active card. Every change calls
// onChange and then rewrites "history.json"; an id that no card has changes nothing.
class CardStore
{
public:
    QList<Card> cards;
    std::optional<QUuid> activeCardID;
    std::function<void()> onChange;

    // Records text (unchanged) as a new active card at the top, then applies the limit.
    // The returned card may already be gone when pinned cards fill the limit.
    Card add(const QString &text);
    // Ids are taken by value: callers pass ids held in the list that the operation changes.
    std::optional<Card> card(QUuid id) const;
    // Makes the card active and copies its text, even an empty one.
    void select(QUuid id);
    void togglePin(QUuid id);
    // When the active card goes, the new top card becomes active and its text is copied.
    void remove(QUuid id);
    void moveUp(QUuid id);
    // Rewrites "history.json"; false when that failed (the cards stay in memory).
    bool save() const;

private:
    qsizetype indexOf(QUuid id) const;
    void trimToLimit();
    void changed();
};
