#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "app/outside/glyph_support.h"

namespace lumera {
namespace {

// Where, and in which colours, `image` is brighter than `reference`, weighted by how much.
struct Brightening {
    double angle = 0;   // degrees clockwise from three o'clock
    double radius = 0;  // pixels from the centre
    std::array<long, 3> rgb{};

    Brightening(const QImage& image, const QImage& reference) {
        double weight = 0, x = 0, y = 0;
        for (int row = 0; row < image.height(); ++row) {
            for (int column = 0; column < image.width(); ++column) {
                const QRgb a = image.pixel(column, row), b = reference.pixel(column, row);
                const int gains[3] = {std::max(qRed(a) - qRed(b), 0),
                                      std::max(qGreen(a) - qGreen(b), 0),
                                      std::max(qBlue(a) - qBlue(b), 0)};
                for (int c = 0; c < 3; ++c) {
                    rgb[c] += gains[c];
                    weight += gains[c], x += gains[c] * (column + 0.5), y += gains[c] * (row + 0.5);
                }
            }
        }
        const double dx = x / weight - 80.0, dy = y / weight - 93.5;
        angle = std::fmod(std::atan2(dy, dx) * 180.0 / std::numbers::pi + 360.0, 360.0);
        radius = std::hypot(dx, dy);
    }
};

QImage Drawn(const DotRows& dots, bool english, std::uint8_t color, int angle) {
    QImage image;
    _Display(image, dots, english, color, angle);
    EXPECT_EQ(image.size(), QSize(160, 187));
    return image;
}

DotRows Lit(int row, int from, int to) {
    DotRows dots{};
    std::fill(&dots[row][from], &dots[row][to] + 1, 1);
    return dots;
}

TEST(LedDisplayTest, DotsShowAtTheirAngleOnTheirRing) {
    struct Case {
        bool english;
        int row, from, to, textAngle;
        double angle;                 // textAngle + the middle column / 5
        double minRadius, maxRadius;  // row 0 innermost
    };
    const Case cases[] = {
        {true, 7, 0, 14, 270, 271.5, 65, 78},        {true, 0, 0, 14, 0, 1.5, 35, 50},
        {true, 3, 900, 914, 90, 271.5, 50, 65},      {false, 0, 600, 614, 200, 321.5, 35, 50},
        {false, 15, 1200, 1214, -160, 81.5, 65, 78},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const Brightening lit(Drawn(Lit(c.row, c.from, c.to), c.english, 0, c.textAngle),
                              Drawn(DotRows{}, c.english, 0, c.textAngle));
        EXPECT_NEAR(lit.angle, c.angle, 1.0);
        EXPECT_GT(lit.radius, c.minRadius);
        EXPECT_LT(lit.radius, c.maxRadius);
    }
}

TEST(LedDisplayTest, FourColoursAndFaintDarkLeds) {
    // Red, green, amber (red and green), blue; the index wraps.
    const std::array<std::array<bool, 3>, 5> strong = {{{true, false, false},
                                                        {false, true, false},
                                                        {true, true, false},
                                                        {false, false, true},
                                                        {true, false, false}}};
    for (std::uint8_t color = 0; color < strong.size(); ++color) {
        const Brightening lit(Drawn(Lit(4, 0, 299), true, color, 0),
                              Drawn(DotRows{}, true, color, 0));
        const long strongest = *std::max_element(lit.rgb.begin(), lit.rgb.end());
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(lit.rgb[c] > strongest / 2, strong[color][c]) << int(color) << "," << c;
        }
    }
    const Brightening dark(Drawn(DotRows{}, false, 0, 0), Drawn(DotRows{}, false, 3, 0));
    EXPECT_GT(dark.rgb[0], 0) << "dark LEDs keep a trace of their colour";
}

}  // namespace
}  // namespace lumera
