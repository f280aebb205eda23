#include "model/EditorThemeKind.h"

#include "model/EnumRawValues.h"

QString rawValue(EditorThemeKind value)
{
    switch (value) {
    case EditorThemeKind::light:
        return QStringLiteral("light");
    case EditorThemeKind::sublime:
        return QStringLiteral("sublime");
    case EditorThemeKind::dracula:
        return QStringLiteral("dracula");
    case EditorThemeKind::monokai:
        return QStringLiteral("monokai");
    case EditorThemeKind::oneDark:
        return QStringLiteral("oneDark");
    case EditorThemeKind::solarized:
        return QStringLiteral("solarized");
    case EditorThemeKind::paper:
        return QStringLiteral("paper");
    }
    return {};
}

QString label(EditorThemeKind value)
{
    switch (value) {
    case EditorThemeKind::light:
        return QStringLiteral("ライト（白）");
    case EditorThemeKind::sublime:
        return QStringLiteral("Sublime（ダーク）");
    case EditorThemeKind::dracula:
        return QStringLiteral("Dracula");
    case EditorThemeKind::monokai:
        return QStringLiteral("Monokai");
    case EditorThemeKind::oneDark:
        return QStringLiteral("One Dark");
    case EditorThemeKind::solarized:
        return QStringLiteral("Solarized Dark");
    case EditorThemeKind::paper:
        return QStringLiteral("ペーパー（暖色ライト）");
    }
    return {};
}

const QList<EditorThemeKind> &allEditorThemeKinds()
{
    static const QList<EditorThemeKind> cases{EditorThemeKind::light,   EditorThemeKind::sublime,
                                              EditorThemeKind::dracula, EditorThemeKind::monokai,
                                              EditorThemeKind::oneDark, EditorThemeKind::solarized,
                                              EditorThemeKind::paper};
    return cases;
}

std::optional<EditorThemeKind> editorThemeKindFromRaw(const QString &raw)
{
    return enumFromRaw(allEditorThemeKinds(), raw);
}

EditorThemeKind resolveEditorThemeKind(const QString &stored)
{
    // Earlier versions had a single dark theme, stored as "dark".
    if (stored == QLatin1String("dark"))
        return EditorThemeKind::sublime;
    return editorThemeKindFromRaw(stored).value_or(EditorThemeKind::light);
}

bool isDark(EditorThemeKind kind)
{
    return kind != EditorThemeKind::light && kind != EditorThemeKind::paper;
}
