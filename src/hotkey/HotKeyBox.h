#pragma once

#include <QPointer>
#include <QUuid>
#include <QtGlobal>

class HotKey;

// The registry's record of one registration. The hotkey is held weakly: the registry never keeps
// a hotkey alive. Whether the platform granted it is the backend's status for the id.
struct HotKeyBox
{
    QUuid identifier;
    QPointer<HotKey> hotKey;
    quint32 carbonHotKeyID = 0;
};
