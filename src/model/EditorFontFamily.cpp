#include "model/EditorFontFamily.h"

#include "model/EnumRawValues.h"

QString rawValue(EditorFontFamily value)
{
    switch (value) {
    case EditorFontFamily::system:
        return QStringLiteral("system");
    case EditorFontFamily::hiragino:
        return QStringLiteral("hiragino");
    case EditorFontFamily::menlo:
        return QStringLiteral("menlo");
    case EditorFontFamily::sfMono:
        return QStringLiteral("sfMono");
    }
    return {};
}

QString label(EditorFontFamily value)
{
    switch (value) {
    case EditorFontFamily::system:
        return QStringLiteral("システム");
    case EditorFontFamily::hiragino:
        return QStringLiteral("Noto Sans CJK");
    case EditorFontFamily::menlo:
        return QStringLiteral("DejaVu Sans Mono");
    case EditorFontFamily::sfMono:
        return QStringLiteral("Noto Sans Mono CJK");
    }
    return {};
}

const QList<EditorFontFamily> &allEditorFontFamilies()
{
    static const QList<EditorFontFamily> cases{EditorFontFamily::system, EditorFontFamily::hiragino,
                                               EditorFontFamily::menlo, EditorFontFamily::sfMono};
    return cases;
}

std::optional<EditorFontFamily> editorFontFamilyFromRaw(const QString &raw)
{
    return enumFromRaw(allEditorFontFamilies(), raw);
}

EditorFontFamily resolveEditorFontFamily(const QString &stored)
{
    return editorFontFamilyFromRaw(stored).value_or(EditorFontFamily::hiragino);
}
