#pragma once

#include <QList>
#include <QString>

#include <optional>

// What the panel does after a confirm. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class AfterConfirmBehavior { stayOpen, collapseOnly, returnAndCollapse };

QString rawValue(AfterConfirmBehavior value);
QString label(AfterConfirmBehavior value);
const QList<AfterConfirmBehavior> &allAfterConfirmBehaviors();
// Exact, case-sensitive match of a raw value.
std::optional<AfterConfirmBehavior> afterConfirmBehaviorFromRaw(const QString &raw);
