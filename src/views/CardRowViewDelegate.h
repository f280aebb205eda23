#pragma once

#include <QUuid>

// What a card row reports to the list that hosts it, each with the row's card identifier.
class CardRowViewDelegate
{
public:
    virtual ~CardRowViewDelegate() = default;

    virtual void cardRowDidSelect(const QUuid &cardID) = 0;
    virtual void cardRowDidRequestEdit(const QUuid &cardID) = 0;
    virtual void cardRowDidRequestMenu(const QUuid &cardID) = 0;
    virtual void cardRowDidTogglePin(const QUuid &cardID) = 0;
    virtual void cardRowDidDelete(const QUuid &cardID) = 0;
};
