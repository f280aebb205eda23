#include "editor/EditorThemePalette.h"

#include <array>

namespace {

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}
QColor white(double alpha = 1.0)
{
    QColor c(Qt::white);
    c.setAlphaF(float(alpha));
    return c;
}
QColor black(double alpha = 1.0)
{
    QColor c(Qt::black);
    c.setAlphaF(float(alpha));
    return c;
}
QColor rgba(int r, int g, int b, double alpha)
{
    QColor c(r, g, b);
    c.setAlphaF(float(alpha));
    return c;
}

EditorThemePalette lightPalette()
{
    return {white(),
            rgb(20, 20, 20),
            rgb(240, 240, 240),
            rgb(138, 138, 138),
            rgb(51, 51, 51),
            rgb(226, 226, 226),
            rgb(85, 85, 85),
            rgb(204, 204, 204),
            rgb(26, 115, 232),
            rgb(255, 235, 153),
            rgb(51, 51, 51),
            white(),
            black(0.12),
            rgb(136, 136, 136),
            {rgb(107, 107, 107), rgb(196, 26, 22), rgb(31, 79, 168), rgb(154, 31, 122),
             rgb(140, 75, 13), rgb(13, 110, 158), rgb(26, 122, 51), rgb(110, 58, 140)}};
}

EditorThemePalette sublimePalette()
{
    return {rgb(39, 40, 34),
            rgb(248, 248, 242),
            rgb(33, 34, 32),
            rgb(117, 113, 94),
            rgb(248, 248, 242),
            rgb(57, 56, 50),
            rgb(166, 166, 142),
            rgba(74, 73, 68, 0.85),
            rgb(250, 168, 41),
            rgb(252, 229, 102),
            rgb(30, 30, 28),
            rgb(39, 40, 34),
            white(0.08),
            rgb(138, 135, 120),
            {rgb(117, 113, 94), rgb(230, 219, 116), rgb(249, 38, 114), rgb(249, 38, 114),
             rgb(166, 226, 46), rgb(166, 226, 46), rgb(174, 129, 255), rgb(102, 217, 239)}};
}

EditorThemePalette draculaPalette()
{
    return {rgb(40, 42, 54),
            rgb(248, 248, 242),
            rgb(33, 34, 44),
            rgb(98, 114, 164),
            rgb(248, 248, 242),
            rgb(52, 55, 70),
            rgb(189, 147, 249),
            rgb(68, 71, 90),
            rgb(255, 121, 198),
            rgb(255, 184, 108),
            rgb(40, 42, 54),
            rgb(40, 42, 54),
            white(0.1),
            rgb(98, 114, 164),
            {rgb(98, 114, 164), rgb(241, 250, 140), rgb(255, 121, 198), rgb(255, 121, 198),
             rgb(80, 250, 123), rgb(139, 233, 253), rgb(189, 147, 249), rgb(139, 233, 253)}};
}

EditorThemePalette monokaiPalette()
{
    return {rgb(39, 40, 34),
            rgb(248, 248, 242),
            rgb(30, 31, 28),
            rgb(144, 144, 138),
            rgb(248, 248, 242),
            rgb(59, 58, 50),
            rgb(166, 226, 46),
            rgb(70, 69, 65),
            rgb(248, 248, 240),
            rgb(230, 219, 116),
            rgb(39, 40, 34),
            rgb(39, 40, 34),
            white(0.08),
            rgb(117, 113, 94),
            {rgb(117, 113, 94), rgb(230, 219, 116), rgb(249, 38, 114), rgb(249, 38, 114),
             rgb(166, 226, 46), rgb(166, 226, 46), rgb(174, 129, 255), rgb(102, 217, 239)}};
}

EditorThemePalette oneDarkPalette()
{
    return {rgb(40, 44, 52),
            rgb(171, 178, 191),
            rgb(33, 37, 43),
            rgb(92, 99, 112),
            rgb(215, 218, 224),
            rgb(44, 49, 58),
            rgb(97, 175, 239),
            rgb(62, 68, 81),
            rgb(82, 139, 255),
            rgb(229, 192, 123),
            rgb(40, 44, 52),
            rgb(40, 44, 52),
            white(0.08),
            rgb(92, 99, 112),
            {rgb(92, 99, 112), rgb(152, 195, 121), rgb(198, 120, 221), rgb(224, 108, 117),
             rgb(209, 154, 102), rgb(97, 175, 239), rgb(209, 154, 102), rgb(86, 182, 194)}};
}

EditorThemePalette solarizedPalette()
{
    return {rgb(0, 43, 54),
            rgb(131, 148, 150),
            rgb(7, 54, 66),
            rgb(88, 110, 117),
            rgb(147, 161, 161),
            rgb(10, 57, 66),
            rgb(42, 161, 152),
            rgb(14, 75, 87),
            rgb(181, 137, 0),
            rgb(181, 137, 0),
            rgb(0, 43, 54),
            rgb(0, 43, 54),
            white(0.1),
            rgb(88, 110, 117),
            {rgb(88, 110, 117), rgb(42, 161, 152), rgb(133, 153, 0), rgb(38, 139, 210),
             rgb(181, 137, 0), rgb(38, 139, 210), rgb(211, 54, 130), rgb(203, 75, 22)}};
}

EditorThemePalette paperPalette()
{
    return {rgb(250, 248, 245),
            rgb(44, 44, 44),
            rgb(240, 236, 230),
            rgb(154, 148, 140),
            rgb(61, 61, 61),
            rgb(230, 224, 216),
            rgb(107, 101, 92),
            rgb(216, 210, 202),
            rgb(196, 92, 38),
            rgb(245, 215, 110),
            rgb(61, 61, 61),
            rgb(250, 248, 245),
            black(0.1),
            rgb(154, 148, 140),
            {rgb(154, 148, 140), rgb(143, 90, 43), rgb(47, 84, 150), rgb(139, 58, 98),
             rgb(107, 91, 46), rgb(42, 122, 143), rgb(58, 125, 68), rgb(107, 76, 154)}};
}

} // namespace

const EditorThemePalette &EditorThemePalette::forKind(EditorThemeKind kind)
{
    // Built once, on first use, in the order of the enumeration.
    static const std::array<EditorThemePalette, 7> palettes = {
        lightPalette(),   sublimePalette(),   draculaPalette(), monokaiPalette(),
        oneDarkPalette(), solarizedPalette(), paperPalette()};
    const auto index = static_cast<std::size_t>(kind);
    return palettes.at(index < palettes.size() ? index : 0);
}
