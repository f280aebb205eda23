#pragma once

#include "views/CardListDelegate.h"
#include "views/CardRowView.h"
#include "views/CardRowViewDelegate.h"
#include "views/CoalescedReload.h"
#include "views/WeakDelegate.h"

#include <QList>
#include <QWidget>
#include <functional>

struct Card;
class CardSlotView;
class CardStore;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

// The history column: a header ("履歴", "設定", "たたむ") above six one-line card slots.
// It owns no data; it renders the card store and rebuilds its rows one event-loop turn after
// the store announces a change (once for all the changes made by one event).
class CardListViewController : public QWidget, public CardRowViewDelegate
{
    Q_OBJECT

public:
    static constexpr int visibleSlotCount = 6;
    static constexpr double slotHeight = CardRowView::slotHeight;

    CardListViewController(CardStore &cardStore, std::function<void()> onOpenSettings,
                           std::function<void()> onCollapse, QWidget *parent = nullptr);

    void setDelegate(CardListDelegate *delegate) { m_delegate.reset(delegate); }

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

    void cardRowDidSelect(const QUuid &cardID) override;
    void cardRowDidRequestEdit(const QUuid &cardID) override;
    void cardRowDidRequestMenu(const QUuid &cardID) override;
    void cardRowDidTogglePin(const QUuid &cardID) override;
    void cardRowDidDelete(const QUuid &cardID) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildHeader();
    void applyHeaderButtonLook();
    void buildSlots();
    void buildLayout();
    void installStoreObserver();
    void openSettingsTapped();
    void collapseTapped();
    bool selectCardAtNumber(const QString &characters);
    QMenu *contextMenu(const Card &card);
    void requestEdit(const Card &card);

    CardStore *m_cardStore;
    WeakDelegate<CardListDelegate> m_delegate;
    QWidget *m_headerView;
    QLabel *m_titleLabel;
    QPushButton *m_settingsButton;
    QPushButton *m_collapseButton;
    QWidget *m_stackView;
    QLabel *m_emptyLabel;
    QList<CardSlotView *> m_slotViews;
    CoalescedReload m_storeReload;
};
