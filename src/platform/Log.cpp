#include "platform/Log.h"

Q_LOGGING_CATEGORY(lcZorv, "zorv")

void logLine(const QString &message)
{
    qCWarning(lcZorv).noquote() << message;
}
