#pragma once
// Window layouts are given in design pixels at 120 pixels per inch.
#include <string>

class QWidget;
class QFont;

namespace ui {

// Screen pixels for a length in design pixels.
int S(int designPixels);
double ScaleFactor();
// For tests: a fixed factor instead of the screen's (0 restores the screen's).
void SetScaleFactorForTesting(double factor);

// Positions and sizes a component in design pixels.
void Place(QWidget* w, int left, int top, int width, int height);
void PlaceAt(QWidget* w, int left, int top);

// The font of a form or component: a family the layouts name, a character
// height in design pixels. Families this system lacks fall back to a
// Japanese sans or serif, or the fixed-pitch font.
QFont MakeFont(const std::string& family, int heightPixels, bool bold = false);

}  // namespace ui
