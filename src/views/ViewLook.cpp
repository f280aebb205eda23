#include "views/ViewLook.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPushButton>

QFont ViewLook::systemFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QColor ViewLook::withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

QColor ViewLook::calibratedWhite(double white, double alpha)
{
    return QColor::fromRgbF(float(white), float(white), float(white), float(alpha));
}

QColor ViewLook::controlAccentColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::Highlight), 1.0);
}

QColor ViewLook::labelColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.85);
}

QColor ViewLook::secondaryLabelColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.5);
}

QColor ViewLook::systemRedColor()
{
    return QColor(255, 59, 48);
}

void ViewLook::paintRoundedBox(QPainter &painter, const QRectF &bounds, double radius,
                               const QColor &fill, const QColor &border, double borderWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(bounds, radius, radius);
    painter.fillPath(box, fill);
    if (borderWidth > 0) {
        const double inset = borderWidth / 2;
        QPainterPath edge;
        edge.addRoundedRect(bounds.adjusted(inset, inset, -inset, -inset), radius - inset,
                            radius - inset);
        painter.strokePath(edge, QPen(border, borderWidth));
    }
    painter.restore();
}

void ViewLook::applyInlineButtonLook(QPushButton *button, bool bordered, const QColor &titleColor)
{
    QString sheet = bordered ? QStringLiteral("QPushButton { border: none; border-radius: 7px;"
                                              " background: rgba(0, 0, 0, 0.08);"
                                              " padding: 1px 4px; }"
                                              "QPushButton:pressed { background: rgba(0, 0, 0, "
                                              "0.18); }")
                             : QStringLiteral("QPushButton { border: none; background: transparent;"
                                              " padding: 0px; }");
    if (titleColor.isValid())
        sheet += QStringLiteral("QPushButton { color: %1; }").arg(titleColor.name());
    button->setStyleSheet(sheet);
    button->setFlat(!bordered);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
}
