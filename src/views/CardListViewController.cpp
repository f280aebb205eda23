#include "views/CardListViewController.h"

#include "model/Card.h"
#include "model/CardStore.h"
#include "platform/KeyCharacters.h"
#include "views/CardRowView.h"
#include "views/CardSlotView.h"
#include "views/ViewLook.h"

#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

CardListViewController::CardListViewController(CardStore &cardStore,
                                               std::function<void()> onOpenSettings,
                                               std::function<void()> onCollapse, QWidget *parent)
    : QWidget(parent)
    , onOpenSettings(std::move(onOpenSettings))
    , onCollapse(std::move(onCollapse))
    , m_cardStore(&cardStore)
    , m_headerView(new QWidget(this))
    , m_titleLabel(ViewLook::makeLabel(QStringLiteral("履歴"),
                                       ViewLook::systemFont(11, QFont::DemiBold),
                                       ViewLook::calibratedWhite(0.5), m_headerView))
    , m_settingsButton(new QPushButton(QStringLiteral("設定"), m_headerView))
    , m_collapseButton(new QPushButton(QStringLiteral("たたむ"), m_headerView))
    , m_stackView(new QWidget(this))
    , m_emptyLabel(ViewLook::makeLabel(QStringLiteral("改行2回で\nここに追加"),
                                       ViewLook::systemFont(9), ViewLook::calibratedWhite(0.45),
                                       this))
    , m_storeReload(this, [this] { reloadCards(); })
{
    installStoreObserver();
    buildHeader();
    buildSlots();
    buildLayout();
    reloadCards();
}

void CardListViewController::installStoreObserver()
{
    QPointer<CardListViewController> list(this);
    m_cardStore->onChange = [list] {
        if (list)
            list->m_storeReload.schedule();
    };
}

void CardListViewController::buildHeader()
{
    m_headerView->setFixedHeight(24);
    applyHeaderButtonLook();
    for (QPushButton *button : {m_settingsButton, m_collapseButton})
        button->setFont(ViewLook::systemFont(11));
    connect(m_settingsButton, &QPushButton::clicked, this,
            &CardListViewController::openSettingsTapped);
    connect(m_collapseButton, &QPushButton::clicked, this, &CardListViewController::collapseTapped);

    auto *layout = new QHBoxLayout(m_headerView);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleLabel, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    layout->addWidget(m_settingsButton, 0, Qt::AlignVCenter);
    layout->addSpacing(10);
    layout->addWidget(m_collapseButton, 0, Qt::AlignVCenter);
}

void CardListViewController::applyHeaderButtonLook()
{
    for (QPushButton *button : {m_settingsButton, m_collapseButton})
        ViewLook::applyInlineButtonLook(button, true, QColor(), &palette());
}

void CardListViewController::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The pills are washes of the text colour: follow the panel when the list joins it. The
    // header has not taken the new palette yet at this point, so the list's own is passed.
    if (event->type() == QEvent::PaletteChange)
        applyHeaderButtonLook();
}

void CardListViewController::buildSlots()
{
    auto *stack = new QVBoxLayout(m_stackView);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(3);
    for (int i = 0; i < visibleSlotCount; ++i) {
        auto *slot = new CardSlotView(m_stackView);
        slot->hide();
        m_slotViews.append(slot);
        stack->addWidget(slot);
    }
    // The empty label is centred where the slots would be, so the stack keeps its room.
    QSizePolicy policy = m_stackView->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_stackView->setSizePolicy(policy);
}

void CardListViewController::buildLayout()
{
    m_emptyLabel->setAlignment(Qt::AlignCenter);

    auto *body = new QGridLayout;
    body->setContentsMargins(4, 0, 4, 0);
    body->addWidget(m_stackView, 0, 0);
    body->addWidget(m_emptyLabel, 0, 0, Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 5, 0, 10);
    layout->setSpacing(0);
    layout->addWidget(m_headerView);
    layout->addSpacing(7);
    layout->addLayout(body);
    layout->addStretch(1);
}

void CardListViewController::reloadCards()
{
    const QList<Card> cards = m_cardStore->cards.mid(0, visibleSlotCount);
    m_emptyLabel->setVisible(cards.isEmpty());
    m_stackView->setVisible(!cards.isEmpty());
    const std::optional<QUuid> activeID = m_cardStore->activeCardID;
    for (int i = 0; i < m_slotViews.size(); ++i) {
        CardSlotView *slot = m_slotViews.at(i);
        slot->show();
        if (i >= cards.size()) {
            slot->clearSlot();
            continue;
        }
        const Card &card = cards.at(i);
        auto *row = new CardRowView(card, activeID == card.id);
        connectRow(row);
        slot->hostRow(row, card.id);
    }
}

bool CardListViewController::handleKeyDown(const QKeyEvent &event)
{
    if (!event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    const QString characters = charactersIgnoringModifiers(event);
    const std::optional<QUuid> activeID = m_cardStore->activeCardID;
    if (event.key() == Qt::Key_P && characters == QStringLiteral("p")) {
        if (activeID)
            m_cardStore->togglePin(*activeID);
        return true;
    }
    if (event.key() == Qt::Key_Backspace) {
        if (activeID)
            m_cardStore->remove(*activeID);
        return true;
    }
    return selectCardAtNumber(characters);
}

// Ctrl+1...9 reach the whole history, not only the six rows shown.
bool CardListViewController::selectCardAtNumber(const QString &characters)
{
    if (characters.isEmpty())
        return false;
    const QChar first = characters.front();
    if (first < QLatin1Char('0') || first > QLatin1Char('9'))
        return false;
    const int number = first.unicode() - '0';
    if (number < 1)
        return false;
    const QList<Card> &cards = m_cardStore->cards;
    if (cards.size() >= number)
        m_cardStore->select(cards.at(number - 1).id);
    return true;
}

void CardListViewController::openSettingsTapped()
{
    if (onOpenSettings)
        onOpenSettings();
}

void CardListViewController::collapseTapped()
{
    if (onCollapse)
        onCollapse();
}

void CardListViewController::connectRow(const CardRowView *row)
{
    CardStore *store = m_cardStore;
    connect(row, &CardRowView::cardRowDidSelect, this,
            [store](const QUuid &id) { store->select(id); });
    connect(row, &CardRowView::cardRowDidRequestEdit, this, &CardListViewController::requestEdit);
    connect(row, &CardRowView::cardRowDidRequestMenu, this, &CardListViewController::popUpMenu);
    connect(row, &CardRowView::cardRowDidTogglePin, this,
            [store](const QUuid &id) { store->togglePin(id); });
    connect(row, &CardRowView::cardRowDidDelete, this,
            [store](const QUuid &id) { store->remove(id); });
}

void CardListViewController::requestEdit(const QUuid &cardID)
{
    if (const std::optional<Card> card = m_cardStore->card(cardID))
        Q_EMIT cardListDidRequestEdit(*card);
}

void CardListViewController::popUpMenu(const QUuid &cardID)
{
    if (const std::optional<Card> card = m_cardStore->card(cardID))
        contextMenu(*card)->popup(QCursor::pos());
}

QMenu *CardListViewController::contextMenu(const Card &card)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    CardStore *store = m_cardStore;
    const QUuid id = card.id;
    menu->addAction(QStringLiteral("クリップボードにコピー"), this,
                    [store, id] { store->select(id); });
    // The card as it was when the menu opened.
    menu->addAction(QStringLiteral("入力欄で編集"), this,
                    [this, card] { Q_EMIT cardListDidRequestEdit(card); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("上に移動"), this, [store, id] { store->moveUp(id); });
    menu->addAction(card.isPinned ? QStringLiteral("固定を解除") : QStringLiteral("固定"), this,
                    [store, id] { store->togglePin(id); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("削除"), this, [store, id] { store->remove(id); });
    return menu;
}
