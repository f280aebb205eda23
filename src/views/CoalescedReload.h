#pragma once

#include <QPointer>

#include <functional>

// A reload run on the next turn of the event loop, once however often it is asked for before
// then. Stores announce every change, and one event often makes several (a new memo and its
// text, a removal and the new active card); the views show them all with one rebuild, which
// reads the store as it is by then. It is a member of its owner: a reload asked for by an owner
// that is gone never runs.
class CoalescedReload
{
public:
    CoalescedReload(QObject *owner, std::function<void()> reload);

    void schedule();

private:
    QPointer<QObject> m_owner;
    std::function<void()> m_reload;
    bool m_scheduled = false;
};
