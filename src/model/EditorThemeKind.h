#pragma once

#include <QList>
#include <QString>

#include <optional>

// The editor's colour theme. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class EditorThemeKind { light, sublime, dracula, monokai, oneDark, solarized, paper };

QString rawValue(EditorThemeKind value);
QString label(EditorThemeKind value);
const QList<EditorThemeKind> &allEditorThemeKinds();
// Exact, case-sensitive match of a raw value.
std::optional<EditorThemeKind> editorThemeKindFromRaw(const QString &raw);
// Empty or unknown gives light; the legacy value "dark" gives sublime.
EditorThemeKind resolveEditorThemeKind(const QString &stored);
// Dark themes get the dark gutter appearance.
bool isDark(EditorThemeKind kind);
