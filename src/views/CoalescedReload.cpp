#include "views/CoalescedReload.h"

#include <QMetaObject>

#include <utility>

CoalescedReload::CoalescedReload(QObject *owner, std::function<void()> reload)
    : m_owner(owner)
    , m_reload(std::move(reload))
{
}

void CoalescedReload::schedule()
{
    if (m_scheduled || !m_owner)
        return;
    m_scheduled = true;
    // The owner as context drops the call if the owner (and with it this object) goes first.
    QMetaObject::invokeMethod(
        m_owner,
        [this] {
            m_scheduled = false;
            m_reload();
        },
        Qt::QueuedConnection);
}
