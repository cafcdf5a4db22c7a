#pragma once

#include <QColor>

namespace lumera::app {

// Least contrast of text, and of a picture's lines, against what they stand on (the WCAG
// levels for normal text and for graphics).
inline constexpr double kTextContrast = 4.5;
inline constexpr double kGraphicContrast = 3.0;

// Relative luminance of an sRGB colour, 0 (black) .. 1 (white).
double RelativeLuminance(const QColor& colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& first, const QColor& second);

// `preferred` if it reaches `minimum` against `background`; otherwise the least mix of it
// towards white or black (whichever the background contrasts with more) that does. Any
// background reaches at least 4.58 against white or black, so every minimum up to that is met.
QColor ReadableColour(const QColor& preferred, const QColor& background, double minimum);

}  // namespace lumera::app
