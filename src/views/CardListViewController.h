#pragma once

#include "model/Card.h"
#include "views/CardRowView.h"
#include "views/CoalescedReload.h"

#include <QList>
#include <QWidget>
#include <functional>

class CardSlotView;
class CardStore;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

// The history column: a header ("履歴", "設定", "たたむ") above six one-line card slots.
// It owns no data; it renders the card store and rebuilds its rows one event-loop turn after
// the store announces a change (once for all the changes made by one event).
class CardListViewController : public QWidget
{
    Q_OBJECT

public:
    static constexpr int visibleSlotCount = 6;
    static constexpr double slotHeight = CardRowView::slotHeight;

    CardListViewController(CardStore &cardStore, std::function<void()> onOpenSettings,
                           std::function<void()> onCollapse, QWidget *parent = nullptr);

    // Rebuilds every slot from the store's current state.
    void reloadCards();

    // The panel's Ctrl shortcuts over the history; true when the event was used up.
    bool handleKeyDown(const QKeyEvent &event);

    QLabel *titleLabel() const { return m_titleLabel; }
    QPushButton *settingsButton() const { return m_settingsButton; }
    QPushButton *collapseButton() const { return m_collapseButton; }
    QWidget *stackView() const { return m_stackView; }
    QLabel *emptyLabel() const { return m_emptyLabel; }
    const QList<CardSlotView *> &slotViews() const { return m_slotViews; }

    std::function<void()> onOpenSettings;
    std::function<void()> onCollapse;

Q_SIGNALS:
    // The main panel puts the card's text into the editor and focuses it.
    void cardListDidRequestEdit(const Card &card);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildHeader();
    void applyHeaderButtonLook();
    void buildSlots();
    void buildLayout();
    void installStoreObserver();
    void connectRow(const CardRowView *row);
    void openSettingsTapped();
    void collapseTapped();
    bool selectCardAtNumber(const QString &characters);
    QMenu *contextMenu(const Card &card);
    void requestEdit(const QUuid &cardID);
    void popUpMenu(const QUuid &cardID);

    CardStore *m_cardStore;
    QWidget *m_headerView;
    QLabel *m_titleLabel;
    QPushButton *m_settingsButton;
    QPushButton *m_collapseButton;
    QWidget *m_stackView;
    QLabel *m_emptyLabel;
    QList<CardSlotView *> m_slotViews;
    CoalescedReload m_storeReload;
};
