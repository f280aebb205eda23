#include "views/ViewLook.h"

#include <QGuiApplication>
#include <QLabel>
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

QLabel *ViewLook::makeLabel(const QString &text, const QFont &font, const QColor &color,
                            QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
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

void ViewLook::applyInlineButtonLook(QPushButton *button, bool bordered, const QColor &titleColor,
                                     const QPalette *palette)
{
    // The pill is a faint wash of the text colour, so it shows on light and dark panels alike.
    // Never from the button's own palette: a style sheet pins it to what it was when the
    // sheet was first applied.
    const QPalette &source = palette                  ? *palette
                             : button->parentWidget() ? button->parentWidget()->palette()
                                                      : button->palette();
    const QColor ink = source.color(QPalette::WindowText);
    const auto rgba = [&ink](double alpha) {
        return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(ink.red())
            .arg(ink.green())
            .arg(ink.blue())
            .arg(alpha);
    };
    QString sheet = bordered ? QStringLiteral("QPushButton { border: none; border-radius: 7px;"
                                              " background: %1; padding: 1px 4px; }"
                                              "QPushButton:pressed { background: %2; }")
                                   .arg(rgba(0.1), rgba(0.2))
                             : QStringLiteral("QPushButton { border: none; background: transparent;"
                                              " padding: 0px; }");
    sheet += QStringLiteral("QPushButton { color: %1; }")
                 .arg((titleColor.isValid() ? titleColor : labelColor(source)).name());
    button->setStyleSheet(sheet);
    button->setFlat(!bordered);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
}
