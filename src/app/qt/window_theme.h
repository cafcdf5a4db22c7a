#pragma once

#include <QColor>

class QLabel;

namespace lumera::app {

// Shows the label's text in `preferred` where that is readable on the label's background
// (kTextContrast), else in the nearest colour that is, and chooses again whenever the
// palette changes (a light or dark desktop theme).
void KeepReadable(QLabel* label, const QColor& preferred);

}  // namespace lumera::app
