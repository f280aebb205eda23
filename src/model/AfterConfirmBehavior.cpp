#include "model/AfterConfirmBehavior.h"

#include "model/EnumRawValues.h"

QString rawValue(AfterConfirmBehavior value)
{
    switch (value) {
    case AfterConfirmBehavior::stayOpen:
        return QStringLiteral("stayOpen");
    case AfterConfirmBehavior::collapseOnly:
        return QStringLiteral("collapseOnly");
    case AfterConfirmBehavior::returnAndCollapse:
        return QStringLiteral("returnAndCollapse");
    }
    return {};
}

QString label(AfterConfirmBehavior value)
{
    switch (value) {
    case AfterConfirmBehavior::stayOpen:
        return QStringLiteral("そのまま（開いたまま）");
    case AfterConfirmBehavior::collapseOnly:
        return QStringLiteral("たたむ");
    case AfterConfirmBehavior::returnAndCollapse:
        return QStringLiteral("たたんで前のアプリへ");
    }
    return {};
}

const QList<AfterConfirmBehavior> &allAfterConfirmBehaviors()
{
    static const QList<AfterConfirmBehavior> cases{AfterConfirmBehavior::stayOpen,
                                                   AfterConfirmBehavior::collapseOnly,
                                                   AfterConfirmBehavior::returnAndCollapse};
    return cases;
}

std::optional<AfterConfirmBehavior> afterConfirmBehaviorFromRaw(const QString &raw)
{
    return enumFromRaw(allAfterConfirmBehaviors(), raw);
}
