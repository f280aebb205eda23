#pragma once

#include <QPointer>
#include <QUuid>
#include <QtGlobal>

#include <optional>

class HotKey;

// The registry's record of one registration. The hotkey is held weakly: the registry never keeps
// a hotkey alive.
struct HotKeyBox
{
    QUuid identifier;
    QPointer<HotKey> hotKey;
    quint32 carbonHotKeyID = 0;
    // The id the platform grab is held under; empty when the platform refused the combination.
    std::optional<quint32> carbonEventHotKey;
};
