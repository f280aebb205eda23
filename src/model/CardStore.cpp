#include "model/CardStore.h"

#include "model/AppSettings.h"
#include "model/HistoryFile.h"
#include "platform/Pasteboard.h"

Card CardStore::add(const QString &text)
{
    const Card card{QUuid::createUuid(), text, QDateTime::currentDateTimeUtc(), false};
    cards.prepend(card);
    activeCardID = card.id;
    trimToLimit();
    changed();
    return card;
}

std::optional<Card> CardStore::card(QUuid id) const
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return std::nullopt;
    return cards.at(index);
}

void CardStore::select(QUuid id)
{
    const std::optional<Card> found = card(id);
    if (!found)
        return;
    activeCardID = id;
    Pasteboard::setString(found->text);
    changed();
}

void CardStore::togglePin(QUuid id)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    cards[index].isPinned = !cards[index].isPinned;
    changed();
}

void CardStore::remove(QUuid id)
{
    const qsizetype index = indexOf(id);
    if (index < 0)
        return;
    cards.removeAt(index);
    if (activeCardID == id) {
        activeCardID.reset();
        if (!cards.isEmpty()) {
            activeCardID = cards.first().id;
            Pasteboard::setString(cards.first().text);
        }
    }
    trimToLimit();
    changed();
}

void CardStore::moveUp(QUuid id)
{
    const qsizetype index = indexOf(id);
    if (index <= 0)
        return;
    cards.swapItemsAt(index, index - 1);
    changed();
}

qsizetype CardStore::indexOf(QUuid id) const
{
    for (qsizetype i = 0; i < cards.size(); ++i) {
        if (cards.at(i).id == id)
            return i;
    }
    return -1;
}

// Drops unpinned cards from the bottom until the limit holds or only pinned cards are left.
void CardStore::trimToLimit()
{
    const int limit = AppSettings::maxCards();
    while (cards.size() > limit) {
        qsizetype victim = cards.size() - 1;
        while (victim >= 0 && cards.at(victim).isPinned)
            --victim;
        if (victim < 0)
            return;
        const QUuid removed = cards.takeAt(victim).id;
        if (activeCardID == removed) {
            activeCardID.reset();
            if (!cards.isEmpty())
                activeCardID = cards.first().id;
        }
    }
}

void CardStore::changed()
{
    if (onChange)
        onChange();
    save();
}

bool CardStore::save() const
{
    return saveHistory(cards, activeCardID);
}
