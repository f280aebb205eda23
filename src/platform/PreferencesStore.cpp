#include "platform/PreferencesStore.h"

#include "platform/AtomicFile.h"
#include "platform/IniFileContent.h"
#include "platform/Log.h"
#include "platform/PrivateFolder.h"
#include "platform/SaveStatus.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

namespace {

QList<PreferencesStore *> &liveStores()
{
    static QList<PreferencesStore *> stores;
    return stores;
}

} // namespace

PreferencesStore &PreferencesStore::standard()
{
    // Kept for the life of the process and never destroyed: quitting calls sync().
    static PreferencesStore *store = new PreferencesStore;
    return *store;
}

PreferencesStore::PreferencesStore()
    : PreferencesStore(QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                 QStringLiteral("Zorv"), QStringLiteral("Zorv"))
                           .fileName())
{
}

// The file is read once with Qt's own ini reader; from then on the values live here and are
// written back whole through AtomicFile, which, unlike QSettings, never puts a partly written
// file in place of the old one.
PreferencesStore::PreferencesStore(const QString &iniFilePath)
    : m_path(iniFilePath)
    , m_syncContext(std::make_unique<QObject>())
{
    // Another store of the same file in this process writes first, so that this one reads it.
    for (PreferencesStore *other : std::as_const(liveStores())) {
        if (other->m_path == m_path)
            other->sync();
    }
    liveStores().append(this);
    const QSettings file(iniFilePath, QSettings::IniFormat);
    for (const QString &key : file.allKeys())
        m_values.insert(key, file.value(key));
}

PreferencesStore::~PreferencesStore()
{
    liveStores().removeOne(this);
    sync();
}

bool PreferencesStore::contains(const QString &key) const
{
    return m_values.contains(key);
}

// The text of a single value. A value set in this process still carries its QVariant type; one
// read from the file is text. Turning it into text first makes both cases read alike.
std::optional<QString> PreferencesStore::scalarText(const QString &key) const
{
    const QVariant value = m_values.value(key);
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
    m_values.insert(key, value);
    changed();
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
    m_values.remove(key);
    changed();
}

void PreferencesStore::clear()
{
    m_values.clear();
    changed();
}

// All of one turn's writes reach the disk together when control is back in the event loop.
void PreferencesStore::changed()
{
    m_unsaved = true;
    if (m_syncScheduled || !QCoreApplication::instance())
        return;
    m_syncScheduled = true;
    QTimer::singleShot(0, m_syncContext.get(), [this] { sync(); });
}

bool PreferencesStore::sync()
{
    m_syncScheduled = false;
    if (!m_unsaved)
        return true;
    QString error;
    const QFileInfo file(m_path);
    if (!PrivateFolder::create(file.absolutePath(), &error) ||
        !AtomicFile::write(m_path, iniFileContent(m_values), &error)) {
        const int errorNumber = errno;
        SaveStatus::shared().report(SaveStatus::Target::preferences, false, errorNumber);
        logLine(QStringLiteral("Zorv: failed to save preferences: ") + error);
        return false;
    }
    m_unsaved = false;
    SaveStatus::shared().report(SaveStatus::Target::preferences, true);
    return true;
}
