#include "platform/PreferencesStore.h"

#include <QSettings>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>

PreferencesStore &PreferencesStore::standard()
{
    // Kept for the life of the process and never destroyed: quitting calls sync().
    static PreferencesStore *store = new PreferencesStore;
    return *store;
}

PreferencesStore::PreferencesStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Zorv"), QStringLiteral("Zorv")))
{
}

PreferencesStore::PreferencesStore(const QString &iniFilePath)
    : m_settings(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

PreferencesStore::~PreferencesStore() = default;

bool PreferencesStore::contains(const QString &key) const
{
    return m_settings->contains(key);
}

// The text of a single value. A value set in this process still carries its QVariant type until
// QSettings reloads the file; turning it into text first makes both cases read alike.
std::optional<QString> PreferencesStore::scalarText(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return std::nullopt;
    }
}

std::optional<bool> PreferencesStore::boolValue(const QString &key) const
{
    const std::optional<QString> text = scalarText(key);
    if (!text)
        return std::nullopt;
    if (text->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

namespace {

std::optional<double> finiteNumber(const QString &text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

} // namespace

std::optional<double> PreferencesStore::doubleValue(const QString &key) const
{
    const std::optional<QString> text = scalarText(key);
    return text ? finiteNumber(*text) : std::nullopt;
}

std::optional<int> PreferencesStore::intValue(const QString &key) const
{
    const std::optional<double> number = doubleValue(key);
    if (!number)
        return std::nullopt;
    // A number beyond int saturates rather than wrapping into something arbitrary.
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(*number), lowest, highest));
}

std::optional<QString> PreferencesStore::stringValue(const QString &key) const
{
    return scalarText(key);
}

void PreferencesStore::write(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
}

void PreferencesStore::setBool(const QString &key, bool value)
{
    write(key, value);
}

void PreferencesStore::setInt(const QString &key, int value)
{
    write(key, value);
}

void PreferencesStore::setDouble(const QString &key, double value)
{
    write(key, value);
}

void PreferencesStore::setString(const QString &key, const QString &value)
{
    write(key, value);
}

void PreferencesStore::remove(const QString &key)
{
    m_settings->remove(key);
}

void PreferencesStore::clear()
{
    m_settings->clear();
}

void PreferencesStore::sync()
{
    m_settings->sync();
}
