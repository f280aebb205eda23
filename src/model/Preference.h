#pragma once

#include "model/EnumTable.h"
#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"

#include <algorithm>
#include <cmath>
#include <concepts>
#include <limits>
#include <optional>
#include <type_traits>

// One user preference: its key in the preferences store, its default and the rules that read
// and write it, declared together (see AppSettings). Reading is calling it,
// `AppSettings::fontSize()`; writing is `AppSettings::fontSize.set(18)`. Nothing is cached,
// so a write is seen by the next read anywhere. A key that is absent, or whose value does not
// read as the type, reads as the default.
template <typename T> struct Preference;

template <typename T> struct PreferenceRange
{
    T min = std::numeric_limits<T>::lowest();
    T max = std::numeric_limits<T>::max();
};

template <typename T>
concept PreferenceNumber = std::same_as<T, int> || std::same_as<T, double>;

template <> struct Preference<bool>
{
    const char *key;
    bool fallback;

    bool operator()() const
    {
        return PreferencesStore::standard().boolValue(key).value_or(fallback);
    }
    void set(bool on) const { PreferencesStore::standard().setBool(key, on); }
};

// A number. Most read a value of zero or less as unset; a read is held to readRange. A write
// is held to writeRange when there is one (a NaN, which no range holds, stores the default)
// and announces the change when `posts`.
template <PreferenceNumber T> struct Preference<T>
{
    const char *key;
    T fallback;
    PreferenceRange<T> readRange = {};
    std::optional<PreferenceRange<T>> writeRange = {};
    bool posts = false;
    bool zeroOrLessIsUnset = true;

    T operator()() const
    {
        PreferencesStore &store = PreferencesStore::standard();
        std::optional<T> stored;
        if constexpr (std::same_as<T, int>)
            stored = store.intValue(key);
        else
            stored = store.doubleValue(key);
        if (!stored || (zeroOrLessIsUnset && *stored <= 0))
            return fallback;
        return std::clamp(*stored, readRange.min, readRange.max);
    }

    void set(T value) const
    {
        if (writeRange)
            value =
                std::isnan(value) ? fallback : std::clamp(value, writeRange->min, writeRange->max);
        if constexpr (std::same_as<T, int>)
            PreferencesStore::standard().setInt(key, value);
        else
            PreferencesStore::standard().setDouble(key, value);
        if (posts)
            SettingsNotifier::post();
    }
};

// One case of an enumeration, stored as its raw value; every write announces the change. A
// stored text that is no raw value reads through `legacy`, when given, before the default.
template <typename E>
requires std::is_enum_v<E>
struct Preference<E>
{
    const char *key;
    E fallback;
    std::optional<E> (*legacy)(const QString &stored) = nullptr;

    E operator()() const
    {
        const QString stored = PreferencesStore::standard().stringValue(key).value_or(QString());
        if (const std::optional<E> value = caseFromRaw<E>(stored))
            return *value;
        return (legacy ? legacy(stored) : std::nullopt).value_or(fallback);
    }

    void set(E value) const
    {
        PreferencesStore::standard().setString(key, rawValue(value));
        SettingsNotifier::post();
    }
};
