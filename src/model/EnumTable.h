#pragma once

#include <QList>
#include <QString>

#include <optional>

// One case of an enumeration: the raw value is what the preferences store, the label what the
// settings form's pop-up shows.
template <typename E> struct EnumCase
{
    E value;
    const char *raw;
    const char16_t *label;
};

// Each enumeration specialises this with `static constexpr EnumCase<E> cases[]`, listing every
// case once, in the order of the settings form's pop-up.
template <typename E> struct EnumTable;

template <typename E> const EnumCase<E> *enumCase(E value)
{
    for (const EnumCase<E> &entry : EnumTable<E>::cases) {
        if (entry.value == value)
            return &entry;
    }
    return nullptr;
}

template <typename E> QString rawValue(E value)
{
    const EnumCase<E> *entry = enumCase(value);
    return entry ? QString::fromLatin1(entry->raw) : QString();
}

template <typename E> QString label(E value)
{
    const EnumCase<E> *entry = enumCase(value);
    return entry ? QString::fromUtf16(entry->label) : QString();
}

template <typename E> QList<E> allCases()
{
    QList<E> values;
    for (const EnumCase<E> &entry : EnumTable<E>::cases)
        values.append(entry.value);
    return values;
}

// Exact, case-sensitive match of a raw value.
template <typename E> std::optional<E> caseFromRaw(const QString &raw)
{
    for (const EnumCase<E> &entry : EnumTable<E>::cases) {
        if (raw == QLatin1String(entry.raw))
            return entry.value;
    }
    return std::nullopt;
}
