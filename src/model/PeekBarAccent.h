#pragma once

#include <QList>
#include <QString>

#include <optional>

// The colour of the collapsed bar. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class PeekBarAccent { neonGreen, neonCyan, neonPink, neonYellow, neonOrange };

QString rawValue(PeekBarAccent value);
QString label(PeekBarAccent value);
const QList<PeekBarAccent> &allPeekBarAccents();
// Exact, case-sensitive match of a raw value.
std::optional<PeekBarAccent> peekBarAccentFromRaw(const QString &raw);
// Unknown or empty gives neonGreen.
PeekBarAccent resolvePeekBarAccent(const QString &stored);
