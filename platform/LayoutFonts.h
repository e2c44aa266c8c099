#pragma once

class QWidget;

// Designer's font property knows point sizes only; the windows declare character heights in
// pixels in a "pixelSize" property next to the font, and this applies them to root and every
// widget under it. Widgets without one inherit their parent's.
void applyPixelSizes(QWidget* root);

// Sizes every label under root to its text (labels that scale a picture keep their size); the
// windows call it once their fonts are in place.
void sizeLabelsToText(QWidget* root);
