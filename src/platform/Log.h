#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcZorv)

// One line on stderr, the message exactly as given (the desktop's system log).
void logLine(const QString &message);
