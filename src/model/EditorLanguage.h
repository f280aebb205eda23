#pragma once

#include <QList>
#include <QString>

#include <optional>

// The language the editor colours its text in. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class EditorLanguage { plain, html, css, javascript };

QString rawValue(EditorLanguage value);
QString label(EditorLanguage value);
const QList<EditorLanguage> &allEditorLanguages();
// Exact, case-sensitive match of a raw value.
std::optional<EditorLanguage> editorLanguageFromRaw(const QString &raw);
// Unknown or empty gives plain.
EditorLanguage resolveEditorLanguage(const QString &stored);
// html, css and javascript are code: the editor font rule turns to monospaced fonts for them.
bool isCodeLanguage(EditorLanguage language);
