#pragma once

#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class QObject;

// The per-user preferences: QSettings in native format, organization and application "Zorv".
//
// The native format on Linux is an ini file, which keeps every value as text. A value's type is
// therefore what its text reads as, the same for a value just written and one read back from
// disk after a restart:
//   bool   - "true" or "false" (any letter case);
//   int    - a decimal integer; a decimal fraction is truncated toward zero, as a number;
//   double - a finite decimal number (an integer is a number too);
//   string - any single value's text.
// A typed read of a value that does not read as that type (a list, "abc" under a double key,
// NaN) gives nullopt, exactly as an absent key does.
//
// Writes are read back at once; they reach the disk when control is back in the event loop,
// all of one turn's writes together (the four numbers of a window frame, say), or at sync().
// Writing the file is an fsync and a rename, too slow to repeat for every key. A failed write
// leaves the old file as it was, is logged and stays on SaveStatus; the next write tries again.
class PreferencesStore
{
public:
    // The store of the user's preferences, opened on first use and kept for the process.
    static PreferencesStore &standard();

    // A store over one ini file (for tests and tools).
    explicit PreferencesStore(const QString &iniFilePath);
    ~PreferencesStore();
    PreferencesStore(const PreferencesStore &) = delete;
    PreferencesStore &operator=(const PreferencesStore &) = delete;

    bool contains(const QString &key) const;
    std::optional<bool> boolValue(const QString &key) const;
    std::optional<int> intValue(const QString &key) const;
    std::optional<double> doubleValue(const QString &key) const;
    std::optional<QString> stringValue(const QString &key) const;

    void setBool(const QString &key, bool value);
    void setInt(const QString &key, int value);
    void setDouble(const QString &key, double value);
    void setString(const QString &key, const QString &value);
    void remove(const QString &key);
    void clear();
    // Writes what changed since the last successful write; false when that failed.
    bool sync();

private:
    PreferencesStore();
    std::optional<QString> scalarText(const QString &key) const;
    void write(const QString &key, const QVariant &value);
    void changed();

    QString m_path;
    QVariantMap m_values;
    bool m_unsaved = false;
    bool m_syncScheduled = false;
    // Owns the pending write's timer, so that a store destroyed first cancels it.
    std::unique_ptr<QObject> m_syncContext;
};
