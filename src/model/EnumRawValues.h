#pragma once

#include <QList>
#include <QString>

#include <optional>

// Matches a stored string against the raw values of an enumeration's cases, in case order.
template <typename E> std::optional<E> enumFromRaw(const QList<E> &cases, const QString &raw)
{
    for (const E value : cases) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}
