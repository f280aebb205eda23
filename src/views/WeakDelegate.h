#pragma once

#include <QObject>
#include <QPointer>

// A weak reference to a delegate interface. When the object behind it is a QObject, an
// event that arrives after that object is gone finds no delegate and does nothing.
template <typename Interface> class WeakDelegate
{
public:
    void reset(Interface *delegate)
    {
        m_delegate = delegate;
        m_guard = dynamic_cast<QObject *>(delegate);
        m_guarded = m_guard != nullptr;
    }

    Interface *get() const
    {
        if (m_guarded && !m_guard)
            return nullptr;
        return m_delegate;
    }

private:
    Interface *m_delegate = nullptr;
    QPointer<QObject> m_guard;
    bool m_guarded = false;
};
