#pragma once

#include <QList>
#include <QString>

#include <optional>

// The editor's font family. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class EditorFontFamily { system, hiragino, menlo, sfMono };

QString rawValue(EditorFontFamily value);
QString label(EditorFontFamily value);
const QList<EditorFontFamily> &allEditorFontFamilies();
// Exact, case-sensitive match of a raw value.
std::optional<EditorFontFamily> editorFontFamilyFromRaw(const QString &raw);
// Unknown or empty gives hiragino (not the first case).
EditorFontFamily resolveEditorFontFamily(const QString &stored);
