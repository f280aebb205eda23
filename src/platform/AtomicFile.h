#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes that either replace the target completely or leave it untouched.
// The files hold what the user wrote and copied, so they are readable by the user only.
class AtomicFile
{
public:
    // Writes data to a temporary file beside path, syncs it and renames it over the target;
    // a symbolic link is written through to the file it names. Every write, sync and close is
    // checked: on any error the temporary file is removed and the target keeps its old bytes.
    // The resulting file has mode 0600. On failure returns false, sets *error and leaves the
    // reason in errno.
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
};
