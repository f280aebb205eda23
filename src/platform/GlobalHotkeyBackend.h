#pragma once

#include "platform/HotKeyStatus.h"
#include "platform/KeyCombo.h"

#include <QHash>
#include <QObject>

// A system-wide key grab service. Registrations are known by the id the hotkey registry gives
// them; presses come back as signals on the main thread. Each registration keeps a status the
// user can be shown, which may change later (the portal answers asynchronously).
class GlobalHotkeyBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // False when the combination cannot be had now; status() then says why.
    virtual bool registerHotKey(quint32 id, KeyCombo combo) = 0;
    virtual void unregisterHotKey(quint32 id) = 0;
    // Whether grabs may come and go cheaply. The corner keys are taken at every show of the
    // panel, which a desktop that asks the user about every binding must not see.
    virtual bool takesPassingGrabs() const { return true; }

    // The status of a registration; `failed` for an id never registered.
    HotKeyStatus status(quint32 id) const { return m_statuses.value(id); }

Q_SIGNALS:
    void pressed(quint32 id);
    void released(quint32 id);
    void statusChanged(quint32 id);

protected:
    void setStatus(quint32 id, const HotKeyStatus &status);
    void forgetStatus(quint32 id) { m_statuses.remove(id); }

private:
    QHash<quint32, HotKeyStatus> m_statuses;
};
