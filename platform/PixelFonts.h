#pragma once

class QWidget;

// Designer's font property knows point sizes only; the windows declare character heights in
// pixels in a "pixelSize" property next to the font, and this applies them to root and every
// widget under it. Widgets without one inherit their parent's.
void applyPixelSizes(QWidget* root);
