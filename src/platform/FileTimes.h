#pragma once

#include <QDateTime>
#include <QString>

// The modification time of a file, in UTC and to the millisecond. Reading it does not go
// through the local time zone, which costs more than the stat when a thousand files are read.
// Invalid when the file can't be examined.
QDateTime fileModificationTime(const QString &path);
