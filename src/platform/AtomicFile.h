#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes that either replace the target completely or leave it untouched.
// The files hold what the user wrote and copied, so they are readable by the user only.
class AtomicFile
{
public:
    // Writes data to path through a temporary file that then replaces the target.
    // The resulting file has mode 0600. On failure returns false and sets *error.
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
};
