#include "platform/SaveStatus.h"

#include <cerrno>

namespace {

QString reasonText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("ディスクがいっぱいです");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みが許可されていません");
    case EROFS:
        return QStringLiteral("読み取り専用のディスクです");
    default:
        return QStringLiteral("書き込みに失敗しました");
    }
}

} // namespace

SaveStatus &SaveStatus::shared()
{
    static SaveStatus *status = new SaveStatus;
    return *status;
}

void SaveStatus::report(Target target, bool saved, int errorNumber)
{
    const bool wasFailing = m_failures.contains(target);
    const int previous = m_failures.value(target);
    if (saved)
        m_failures.remove(target);
    else
        m_failures.insert(target, errorNumber);
    if (wasFailing != !saved || (!saved && previous != errorNumber))
        emit changed();
}

QString SaveStatus::message() const
{
    if (m_failures.isEmpty())
        return QString();
    return QStringLiteral("保存できません: ") + reasonText(m_failures.first());
}
