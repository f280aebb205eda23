#include "model/ConfirmTrigger.h"

#include "model/EnumRawValues.h"

QString rawValue(ConfirmTrigger value)
{
    switch (value) {
    case ConfirmTrigger::commandEnter:
        return QStringLiteral("commandEnter");
    case ConfirmTrigger::doubleNewline:
        return QStringLiteral("doubleNewline");
    }
    return {};
}

QString label(ConfirmTrigger value)
{
    switch (value) {
    case ConfirmTrigger::commandEnter:
        return QStringLiteral("Ctrl + Enter（推奨）");
    case ConfirmTrigger::doubleNewline:
        return QStringLiteral("空行で Return 2 回（上級者向け）");
    }
    return {};
}

const QList<ConfirmTrigger> &allConfirmTriggers()
{
    static const QList<ConfirmTrigger> cases{ConfirmTrigger::commandEnter,
                                             ConfirmTrigger::doubleNewline};
    return cases;
}

std::optional<ConfirmTrigger> confirmTriggerFromRaw(const QString &raw)
{
    return enumFromRaw(allConfirmTriggers(), raw);
}

ConfirmTrigger resolveConfirmTrigger(const QString &stored)
{
    return confirmTriggerFromRaw(stored).value_or(ConfirmTrigger::commandEnter);
}
