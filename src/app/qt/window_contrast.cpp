#include "app/qt/window_contrast.h"

#include <algorithm>
#include <cmath>

namespace lumera::app {
namespace {

double LinearChannel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& from, const QColor& to, double share) {
    auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// Mixing steps: fine enough that the result stays close to the preferred colour.
constexpr int kMixSteps = 64;

}  // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * LinearChannel(rgb.redF()) + 0.7152 * LinearChannel(rgb.greenF()) +
           0.0722 * LinearChannel(rgb.blueF());
}

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableColour(const QColor& preferred, const QColor& background, double minimum) {
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const QColor& extreme =
        ContrastRatio(white, background) >= ContrastRatio(black, background) ? white : black;
    for (int step = 0; step < kMixSteps; ++step) {
        const QColor candidate = Mix(preferred.toRgb(), extreme, double(step) / kMixSteps);
        if (ContrastRatio(candidate, background) >= minimum) {
            return candidate;
        }
    }
    return extreme;
}

}  // namespace lumera::app
