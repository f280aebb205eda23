#include "windows/PeekBarContentView.h"

#include "views/ViewLook.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

namespace {

const QString barText = QStringLiteral("ZORV");

} // namespace

PeekBarContentView::PeekBarContentView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    const QSizeF size = barSize();
    resize(int(size.width()), int(size.height()));
}

void PeekBarContentView::setAccentColor(const QColor &color)
{
    m_accentColor = color;
    update();
}

QFont PeekBarContentView::barFont()
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(14);
    font.setWeight(QFont::ExtraBold);
    return font;
}

QSizeF PeekBarContentView::barSize()
{
    const double textWidth = QFontMetricsF(barFont()).horizontalAdvance(barText);
    return {std::ceil(textWidth + 2 * horizontalPadding), barHeight};
}

void PeekBarContentView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    const double radius = bounds.height() / 2;

    QPainterPath pill;
    pill.addRoundedRect(bounds.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    painter.fillPath(pill, QColor::fromRgbF(0.06f, 0.06f, 0.06f, 0.92f));
    painter.setPen(QPen(ViewLook::withAlpha(m_accentColor, 0.55), 1.5));
    painter.drawPath(pill);

    const QFont font = barFont();
    const QFontMetricsF metrics(font);
    const double textWidth = metrics.horizontalAdvance(barText);
    const double textHeight = metrics.height();
    const double x0 = (bounds.width() - textWidth) / 2;
    // One point below the centre, in a top-down coordinate system.
    const double top0 = (bounds.height() - textHeight) / 2 + 1;
    const auto drawAt = [&](double dx, double dyUp, const QColor &color) {
        painter.setPen(color);
        painter.drawText(QPointF(x0 + dx, top0 - dyUp + metrics.ascent()), barText);
    };

    painter.setFont(font);
    static constexpr std::array<std::pair<int, int>, 9> glowOffsets{
        {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}}};
    for (const auto &[dx, dy] : glowOffsets)
        drawAt(dx, dy, ViewLook::withAlpha(m_accentColor, 0.35));
    drawAt(0, 0, m_accentColor);
    drawAt(0, 0.5, QColor::fromRgbF(1, 1, 1, 0.55f));
}

void PeekBarContentView::mousePressEvent(QMouseEvent *event)
{
    // Only the first click of a multi-click expands; Qt delivers later ones as double clicks.
    if (event->button() == Qt::LeftButton && onClick)
        onClick();
}

void PeekBarContentView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
