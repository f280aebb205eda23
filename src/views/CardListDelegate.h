#pragma once

struct Card;

// Implemented by the main panel: put the card's text into the editor and focus it.
class CardListDelegate
{
public:
    virtual ~CardListDelegate() = default;

    virtual void cardListDidRequestEdit(const Card &card) = 0;
};
