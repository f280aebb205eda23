// The values AppSettings derives from several preferences: the panel's fitted frame, a card's
// preview text and the gutter width.
#include "model/AppSettings.h"
#include "model/TextMatch.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

constexpr double minWidth = 560, maxWidth = 1200, minHeight = 320, maxHeight = 900;
constexpr double screenInset = 32; // the frame may be at most this much smaller than the screen
constexpr double screenMargin = 8; // and keeps this distance from its edges

std::optional<ScreenGeometry> fallbackScreen(const QList<ScreenGeometry> &screens,
                                             const std::optional<ScreenGeometry> &preferred,
                                             const std::optional<ScreenGeometry> &main)
{
    if (preferred)
        return preferred;
    if (main)
        return main;
    if (!screens.isEmpty())
        return screens.first();
    return std::nullopt;
}

QRectF centredIn(const QRectF &visible, double width, double height)
{
    const QPointF centre = visible.center();
    return QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height);
}

// Shrinks the frame to fit inside the visible frame and keeps it a margin away from its edges.
QRectF keptInside(const QRectF &visible, QRectF frame)
{
    const double w = std::min(frame.width(), visible.width() - screenInset);
    const double h = std::min(frame.height(), visible.height() - screenInset);
    double x = std::max(frame.x(), visible.x() + screenMargin);
    x = std::min(x, visible.x() + visible.width() - w - screenMargin);
    double y = std::max(frame.y(), visible.y() + screenMargin);
    y = std::min(y, visible.y() + visible.height() - h - screenMargin);
    return QRectF(x, y, w, h);
}

} // namespace

QRectF AppSettings::fittedWindowFrame(const QRectF &proposed, const QList<ScreenGeometry> &screens,
                                      const std::optional<ScreenGeometry> &preferredScreen,
                                      const std::optional<ScreenGeometry> &mainScreen)
{
    const double w = std::clamp(proposed.width(), minWidth, maxWidth);
    const double h = std::clamp(proposed.height(), minHeight, maxHeight);
    const QRectF frame(proposed.x(), proposed.y(), w, h);

    if (!windowOriginSaved()) {
        const auto screen = fallbackScreen(screens, preferredScreen, mainScreen);
        return screen ? centredIn(screen->visibleFrame, w, h) : frame;
    }
    std::optional<ScreenGeometry> screen;
    if (const auto index = screenContaining(screens, frame.center()))
        screen = screens[*index];
    else
        screen = fallbackScreen(screens, preferredScreen, mainScreen);
    return screen ? keptInside(screen->visibleFrame, frame) : frame;
}

QString AppSettings::cardPreviewText(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line = line.trimmed();
    // Counts user-perceived characters, so an emoji sequence is never cut apart.
    const QString cut = leftCharacters(line, cardPreviewMaxLength());
    if (cut.size() < line.size())
        return cut + QChar(0x2026);
    // A single space keeps the row's label at its line height.
    return line.isEmpty() ? QStringLiteral(" ") : line;
}

double AppSettings::gutterWidth(int lineCount)
{
    const int digits = int(QString::number(std::max(lineCount, 1)).size());
    const double size = std::max(fontSize() * 0.68, 10.0);
    // Sizes are device-independent pixels, as for the editor font. Measured large and scaled,
    // because a pixel size is whole and this one (10.88 by default) is not. The gutter asks at
    // every edit: the digit is measured once.
    constexpr int measuredSize = 100;
    static const double measuredDigit = [] {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setWeight(QFont::Normal);
        font.setItalic(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(measuredSize);
        return QFontMetricsF(font).horizontalAdvance(QStringLiteral("8"));
    }();
    const double digitWidth = measuredDigit * size / measuredSize;
    return std::ceil(digitWidth * std::max(digits, 2)) + 8 + 18;
}
