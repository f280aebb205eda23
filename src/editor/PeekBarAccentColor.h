#pragma once

#include "model/PeekBarAccent.h"

#include <QColor>

// The neon colour of the collapsed bar, made anew on each call.
QColor accentColor(PeekBarAccent accent);
