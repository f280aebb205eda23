#include "windows/ZorvBrandMarkView.h"

#include "windows/ZorvLogoView.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>

namespace {

// The label colour of a dark appearance: the panel's backdrop is always a dark HUD.
const QColor labelColorOnDark(255, 255, 255, 217);

// Sizes are the panel's points, i.e. logical pixels, like every other font of the panel.
QFont titleFont()
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

} // namespace

ZorvBrandMarkView::ZorvBrandMarkView(QWidget *parent)
    : QWidget(parent)
    , m_logoView(new ZorvLogoView(this))
    , m_titleLabel(new QLabel(QStringLiteral("ZORV"), this))
    , m_opacity(new QGraphicsOpacityEffect(this))
{
    // Clicks fall through to whatever lies under the mark, children included.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGraphicsEffect(m_opacity);
    m_opacity->setOpacity(watermarkAlpha);
    m_logoView->setAlpha(1.0);

    m_titleLabel->setFont(titleFont());
    QPalette palette = m_titleLabel->palette();
    palette.setColor(QPalette::WindowText, labelColorOnDark);
    m_titleLabel->setPalette(palette);
    m_titleLabel->setAutoFillBackground(false);
    m_titleLabel->setTextInteractionFlags(Qt::NoTextInteraction);
    resize(sizeHint());
}

double ZorvBrandMarkView::alpha() const
{
    return m_opacity->opacity();
}

void ZorvBrandMarkView::setAlpha(double alpha)
{
    m_opacity->setOpacity(alpha);
}

QSize ZorvBrandMarkView::sizeHint() const
{
    const QSize title = m_titleLabel->sizeHint();
    // The logo sets the height; the title hangs from the logo's bottom edge plus one point.
    return QSize(logoSide + titleSpacing + title.width(), logoSide);
}

void ZorvBrandMarkView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSubviews();
}

void ZorvBrandMarkView::layoutSubviews()
{
    const int logoTop = (height() - logoSide) / 2;
    m_logoView->setGeometry(0, logoTop, logoSide, logoSide);
    const QSize title = m_titleLabel->sizeHint();
    const int titleLeft = logoSide + titleSpacing;
    const int titleBottom = logoTop + logoSide + 1;
    m_titleLabel->setGeometry(titleLeft, titleBottom - title.height(), qMax(0, width() - titleLeft),
                              title.height());
}
