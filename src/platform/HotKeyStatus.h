#pragma once

#include <QString>

// How a registration fares, in the terms the user is told. `pending`: the desktop has not
// answered yet (the portal works asynchronously).
enum class HotKeyState { pending, active, taken, notAvailable, failed };

struct HotKeyStatus
{
    HotKeyState state = HotKeyState::failed;
    // The backend that holds the grab ("X11", "ポータル"), for `active`.
    QString backend;
    // The trigger the desktop finally bound, in its own words, when it says one (the portal
    // lets the user choose another).
    QString trigger;

    friend bool operator==(const HotKeyStatus &, const HotKeyStatus &) = default;
};
