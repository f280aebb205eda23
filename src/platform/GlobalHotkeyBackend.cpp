#include "platform/GlobalHotkeyBackend.h"

void GlobalHotkeyBackend::setStatus(quint32 id, const HotKeyStatus &status)
{
    const auto it = m_statuses.constFind(id);
    if (it != m_statuses.cend() && *it == status)
        return;
    m_statuses.insert(id, status);
    Q_EMIT statusChanged(id);
}
