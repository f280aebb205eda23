#pragma once

class QWidget;

// Gives a translucent top-level window its rounded corners where nothing composites it:
// without a compositor its transparent pixels show black, so the corners are cut off with a
// mask instead. With a compositor the mask is cleared and antialiased painting shows.
void applyRoundedWindowMask(QWidget &window, double radius);
