#include "views/CardRowView.h"

#include "model/AppSettings.h"
#include "model/Card.h"
#include "model/TextMatch.h"
#include "views/ElidedLabel.h"
#include "views/ViewLook.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int buttonSide = 20;

} // namespace

CardRowView::CardRowView(const Card &card, bool isActiveCard, QWidget *parent)
    : PanelItemView(parent)
    , m_cardID(card.id)
    , m_isActiveCard(isActiveCard)
    , m_isPinned(card.isPinned)
    , m_bodyLabel(new ElidedLabel(cardPreviewText(card.text.trimmed()), this))
    , m_pinButton(new QPushButton(QStringLiteral("📌"), this))
    , m_deleteButton(new QPushButton(QStringLiteral("×"), this))
{
    setFixedHeight(int(slotHeight));
    setToolTip(card.text);
    m_bodyLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    buildButtons();
    buildLayout();
    applyLook();
}

void CardRowView::buildButtons()
{
    const QFont buttonFont = ViewLook::systemFont(12, QFont::Medium);
    for (QPushButton *button : {m_pinButton, m_deleteButton}) {
        ViewLook::applyInlineButtonLook(
            button, false, button == m_deleteButton ? ViewLook::systemRedColor() : QColor());
        button->setFont(buttonFont);
        button->setFixedSize(buttonSide, buttonSide);
    }
    m_deleteButton->setToolTip(QStringLiteral("削除"));
    m_pinButton->setToolTip(m_isPinned ? QStringLiteral("固定を解除") : QStringLiteral("固定"));
    auto *pinOpacity = new QGraphicsOpacityEffect(m_pinButton);
    pinOpacity->setOpacity(m_isPinned ? 1.0 : 0.45);
    m_pinButton->setGraphicsEffect(pinOpacity);
    connect(m_pinButton, &QPushButton::clicked, this, &CardRowView::pinTapped);
    connect(m_deleteButton, &QPushButton::clicked, this, &CardRowView::deleteTapped);
}

void CardRowView::buildLayout()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(5, 0, 3, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bodyLabel, 1, Qt::AlignVCenter);
    layout->addSpacing(3);
    layout->addWidget(m_pinButton, 0, Qt::AlignVCenter);
    layout->addSpacing(2);
    layout->addWidget(m_deleteButton, 0, Qt::AlignVCenter);
}

void CardRowView::applyLook()
{
    // From the row's inherited palette: the label's own already carries the last look.
    QPalette palette = this->palette();
    const QColor textColor =
        m_isActiveCard ? ViewLook::labelColor(palette) : ViewLook::secondaryLabelColor(palette);
    palette.setColor(QPalette::WindowText, textColor);
    m_bodyLabel->setPalette(palette);
    m_bodyLabel->setFont(
        ViewLook::systemFont(10, m_isActiveCard ? QFont::DemiBold : QFont::Normal));
}

void CardRowView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_isActiveCard) {
        const QColor accent = ViewLook::controlAccentColor(palette());
        ViewLook::paintRoundedBox(painter, rect(), 4, ViewLook::withAlpha(accent, 0.22), accent,
                                  1.5);
    } else {
        ViewLook::paintRoundedBox(painter, rect(), 4, ViewLook::calibratedWhite(1.0, 0.5),
                                  QColor::fromRgbF(0, 0, 0, 0.14f), 1);
    }
}

// The first click of a double click copies, the second edits; a third does nothing more.
void CardRowView::mouseDown(int clickCount)
{
    if (clickCount == 1)
        Q_EMIT cardRowDidSelect(m_cardID);
    else if (clickCount == 2)
        Q_EMIT cardRowDidRequestEdit(m_cardID);
}

void CardRowView::rightMouseDown()
{
    Q_EMIT cardRowDidRequestMenu(m_cardID);
}

void CardRowView::pinTapped()
{
    Q_EMIT cardRowDidTogglePin(m_cardID);
}

void CardRowView::deleteTapped()
{
    Q_EMIT cardRowDidDelete(m_cardID);
}

QString CardRowView::cardPreviewText(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line = line.trimmed();
    // Counts user-perceived characters, so an emoji sequence is never cut apart.
    const QString cut = leftCharacters(line, AppSettings::cardPreviewMaxLength());
    if (cut.size() < line.size())
        return cut + QChar(0x2026);
    // A single space keeps the row's label at its line height.
    return line.isEmpty() ? QStringLiteral(" ") : line;
}
