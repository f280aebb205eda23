#pragma once

#include <QList>
#include <QString>

#include <optional>

// How the editor's text is confirmed. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class ConfirmTrigger { commandEnter, doubleNewline };

QString rawValue(ConfirmTrigger value);
QString label(ConfirmTrigger value);
const QList<ConfirmTrigger> &allConfirmTriggers();
// Exact, case-sensitive match of a raw value.
std::optional<ConfirmTrigger> confirmTriggerFromRaw(const QString &raw);
// Only the exact raw value "doubleNewline" selects doubleNewline.
ConfirmTrigger resolveConfirmTrigger(const QString &stored);
