#include "editor/EditorFonts.h"

#include <QFontDatabase>

namespace {

QFont sized(QFont font, double size)
{
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setPixelSize(qMax(1, qRound(size)));
    return font;
}

QFont systemFont(bool monospaced)
{
    QFont font = QFontDatabase::systemFont(monospaced ? QFontDatabase::FixedFont
                                                      : QFontDatabase::GeneralFont);
    if (monospaced)
        font.setStyleHint(QFont::Monospace, QFont::PreferDefault);
    return font;
}

QFont namedOrSystemFont(const QString &name, bool codeMode)
{
    if (!QFontDatabase::hasFamily(name))
        return systemFont(codeMode);
    return QFont(name);
}

} // namespace

QFont editorFont(bool codeMode, EditorFontFamily family, double size)
{
    const double points = size > 0 ? size : 16;
    switch (family) {
    case EditorFontFamily::system:
        return sized(systemFont(codeMode), points);
    case EditorFontFamily::hiragino:
        return sized(namedOrSystemFont(QStringLiteral("Noto Sans CJK JP"), codeMode), points);
    case EditorFontFamily::menlo:
        return sized(namedOrSystemFont(QStringLiteral("DejaVu Sans Mono"), codeMode), points);
    case EditorFontFamily::sfMono:
        return sized(namedOrSystemFont(QStringLiteral("Noto Sans Mono CJK JP"), true), points);
    }
    return sized(systemFont(codeMode), points);
}
