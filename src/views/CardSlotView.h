#pragma once

#include <QPointer>
#include <QUuid>
#include <QWidget>

class CardRowView;
class QHBoxLayout;

// One of the six places of the history column: empty, or hosting exactly one card row.
class CardSlotView : public QWidget
{
    Q_OBJECT

public:
    explicit CardSlotView(QWidget *parent = nullptr);

    // Takes the row, pinned to the slot's edges; the previous row is discarded.
    void hostRow(CardRowView *row, const QUuid &cardID);
    // Discards the row and shows the empty look.
    void clearSlot();

    CardRowView *hostedRow() const { return m_hostedRow; }
    // Null when the slot is empty.
    QUuid cardID() const { return m_cardID; }
    bool isEmpty() const { return m_hostedRow == nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QHBoxLayout *m_layout;
    QPointer<CardRowView> m_hostedRow;
    QUuid m_cardID;
};
