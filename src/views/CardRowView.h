#pragma once

#include "views/PanelItemView.h"

#include <QUuid>

struct Card;
class ElidedLabel;
class QPushButton;

// One card of the history as a one-line row: preview, pin button, delete button.
// A row shows the card as it was when the list was last reloaded; it never changes its look.
class CardRowView : public PanelItemView
{
    Q_OBJECT

public:
    static constexpr double slotHeight = 28;

    CardRowView(const Card &card, bool isActiveCard, QWidget *parent = nullptr);

    // A card's one-line body: line feeds as spaces, cut to "cardPreviewMaxLength" characters.
    static QString cardPreviewText(const QString &text);

    QUuid cardID() const { return m_cardID; }
    bool isActiveCard() const { return m_isActiveCard; }
    bool isPinned() const { return m_isPinned; }

    ElidedLabel *bodyLabel() const { return m_bodyLabel; }
    QPushButton *pinButton() const { return m_pinButton; }
    QPushButton *deleteButton() const { return m_deleteButton; }

Q_SIGNALS:
    // What the row reports to the list that hosts it, each with the row's card identifier.
    void cardRowDidSelect(const QUuid &cardID);
    void cardRowDidRequestEdit(const QUuid &cardID);
    void cardRowDidRequestMenu(const QUuid &cardID);
    void cardRowDidTogglePin(const QUuid &cardID);
    void cardRowDidDelete(const QUuid &cardID);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDown(int clickCount) override;
    void rightMouseDown() override;
    void applyLook() override;

private:
    void buildButtons();
    void buildLayout();
    void pinTapped();
    void deleteTapped();

    const QUuid m_cardID;
    const bool m_isActiveCard;
    const bool m_isPinned;
    ElidedLabel *m_bodyLabel;
    QPushButton *m_pinButton;
    QPushButton *m_deleteButton;
};
