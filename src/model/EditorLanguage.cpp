#include "model/EditorLanguage.h"

#include "model/EnumRawValues.h"

QString rawValue(EditorLanguage value)
{
    switch (value) {
    case EditorLanguage::plain:
        return QStringLiteral("plain");
    case EditorLanguage::html:
        return QStringLiteral("html");
    case EditorLanguage::css:
        return QStringLiteral("css");
    case EditorLanguage::javascript:
        return QStringLiteral("javascript");
    }
    return {};
}

QString label(EditorLanguage value)
{
    switch (value) {
    case EditorLanguage::plain:
        return QStringLiteral("なし（単色）");
    case EditorLanguage::html:
        return QStringLiteral("HTML");
    case EditorLanguage::css:
        return QStringLiteral("CSS");
    case EditorLanguage::javascript:
        return QStringLiteral("JavaScript");
    }
    return {};
}

const QList<EditorLanguage> &allEditorLanguages()
{
    static const QList<EditorLanguage> cases{EditorLanguage::plain, EditorLanguage::html,
                                             EditorLanguage::css, EditorLanguage::javascript};
    return cases;
}

std::optional<EditorLanguage> editorLanguageFromRaw(const QString &raw)
{
    return enumFromRaw(allEditorLanguages(), raw);
}

EditorLanguage resolveEditorLanguage(const QString &stored)
{
    return editorLanguageFromRaw(stored).value_or(EditorLanguage::plain);
}

bool isCodeLanguage(EditorLanguage language)
{
    return language != EditorLanguage::plain;
}
