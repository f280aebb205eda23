#include "model/PeekBarAccent.h"

#include "model/EnumRawValues.h"

QString rawValue(PeekBarAccent value)
{
    switch (value) {
    case PeekBarAccent::neonGreen:
        return QStringLiteral("neonGreen");
    case PeekBarAccent::neonCyan:
        return QStringLiteral("neonCyan");
    case PeekBarAccent::neonPink:
        return QStringLiteral("neonPink");
    case PeekBarAccent::neonYellow:
        return QStringLiteral("neonYellow");
    case PeekBarAccent::neonOrange:
        return QStringLiteral("neonOrange");
    }
    return {};
}

QString label(PeekBarAccent value)
{
    switch (value) {
    case PeekBarAccent::neonGreen:
        return QStringLiteral("ネオングリーン");
    case PeekBarAccent::neonCyan:
        return QStringLiteral("シアン");
    case PeekBarAccent::neonPink:
        return QStringLiteral("ピンク");
    case PeekBarAccent::neonYellow:
        return QStringLiteral("イエロー");
    case PeekBarAccent::neonOrange:
        return QStringLiteral("オレンジ");
    }
    return {};
}

const QList<PeekBarAccent> &allPeekBarAccents()
{
    static const QList<PeekBarAccent> cases{PeekBarAccent::neonGreen, PeekBarAccent::neonCyan,
                                            PeekBarAccent::neonPink, PeekBarAccent::neonYellow,
                                            PeekBarAccent::neonOrange};
    return cases;
}

std::optional<PeekBarAccent> peekBarAccentFromRaw(const QString &raw)
{
    return enumFromRaw(allPeekBarAccents(), raw);
}

PeekBarAccent resolvePeekBarAccent(const QString &stored)
{
    return peekBarAccentFromRaw(stored).value_or(PeekBarAccent::neonGreen);
}
