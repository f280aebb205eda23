#include "views/MemoChipView.h"

#include "model/Memo.h"
#include "views/ElidedLabel.h"
#include "views/ViewLook.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <algorithm>

MemoChipView::MemoChipView(const Memo &memo, bool isActive, QWidget *parent)
    : PanelItemView(parent)
    , m_memoID(memo.id)
    , m_isPinned(memo.isPinned)
    , m_isActive(isActive)
    , m_pinLabel(new QLabel(QStringLiteral("📌"), this))
    , m_label(new ElidedLabel(memo.displayTitle(), this))
{
    setMaximumSize(maximumChipWidth, chipHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    buildLayout();
    applyLook();
}

// As wide as the title needs, within 72...140: a crowded row scrolls instead of squeezing.
QSize MemoChipView::sizeHint() const
{
    const int width = std::clamp(QWidget::sizeHint().width(), minimumChipWidth, maximumChipWidth);
    return {width, chipHeight};
}

QSize MemoChipView::minimumSizeHint() const
{
    return sizeHint();
}

void MemoChipView::buildLayout()
{
    m_pinLabel->setFont(ViewLook::systemFont(9));
    m_pinLabel->setFixedWidth(12);
    m_pinLabel->setAlignment(Qt::AlignCenter);
    // An unpinned chip keeps the pin's room empty, so titles line up.
    QSizePolicy pinPolicy = m_pinLabel->sizePolicy();
    pinPolicy.setRetainSizeWhenHidden(true);
    m_pinLabel->setSizePolicy(pinPolicy);
    m_pinLabel->setVisible(m_isPinned);
    m_label->setFont(ViewLook::systemFont(12));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 8, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pinLabel, 0, Qt::AlignVCenter);
    layout->addSpacing(2);
    layout->addWidget(m_label, 1, Qt::AlignVCenter);
}

void MemoChipView::applyLook()
{
    // From the row's inherited palette: the label's own already carries the last look.
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, m_isActive ? ViewLook::labelColor(palette)
                                                      : ViewLook::secondaryLabelColor(palette));
    m_label->setPalette(palette);
}

void MemoChipView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_isActive) {
        const QColor accent = ViewLook::controlAccentColor(palette());
        ViewLook::paintRoundedBox(painter, rect(), 6, ViewLook::withAlpha(accent, 0.2), accent,
                                  1.5);
    } else {
        ViewLook::paintRoundedBox(painter, rect(), 6, ViewLook::calibratedWhite(1.0, 0.6),
                                  QColor::fromRgbF(0, 0, 0, 0.1f), 1);
    }
}

// The first click of a double click selects and copies, the second loads into the editor.
void MemoChipView::mouseDown(int clickCount)
{
    if (clickCount == 1)
        send(onSelect);
    else if (clickCount == 2)
        send(onEdit);
}

void MemoChipView::rightMouseDown()
{
    makeContextMenu()->popup(QCursor::pos());
}

void MemoChipView::send(const std::function<void(const QUuid &)> &closure) const
{
    if (closure)
        closure(m_memoID);
}

QMenu *MemoChipView::makeContextMenu()
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("入力欄で編集"), this, [this] { send(onEdit); });
    menu->addAction(m_isPinned ? QStringLiteral("固定を解除") : QStringLiteral("固定"), this,
                    [this] { send(onTogglePin); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("削除"), this, [this] { send(onDelete); });
    return menu;
}
