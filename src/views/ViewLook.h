#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QLabel;
class QPainter;
class QPalette;
class QPushButton;
class QWidget;

// The desktop's own colours, fonts and button looks that the history column, the memo strip
// and the settings form share. They follow the system palette, never the editor theme. Sizes are
// logical pixels (the panel's points).
class ViewLook
{
public:
    static QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);

    static QColor withAlpha(QColor color, double alpha);
    static QColor calibratedWhite(double white, double alpha = 1.0);
    static QColor controlAccentColor(const QPalette &palette);
    static QColor labelColor(const QPalette &palette);
    static QColor secondaryLabelColor(const QPalette &palette);
    static QColor systemRedColor();

    // A plain label whose text keeps `color` in whatever palette its container has.
    static QLabel *makeLabel(const QString &text, const QFont &font, const QColor &color,
                             QWidget *parent);

    // A layer-like box: the fill covers the rounded rectangle and the border is drawn inside it.
    static void paintRoundedBox(QPainter &painter, const QRectF &bounds, double radius,
                                const QColor &fill, const QColor &border, double borderWidth);

    // The small pill of an inline button; `bordered` false leaves only the title. Its colours
    // come from `palette`, or from the button's container when none is given.
    static void applyInlineButtonLook(QPushButton *button, bool bordered,
                                      const QColor &titleColor = QColor(),
                                      const QPalette *palette = nullptr);
};
