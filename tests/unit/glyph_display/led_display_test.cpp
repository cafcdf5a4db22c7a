#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "../render/render_test_support.h"
#include "editing/message_table.h"
#include "outside/glyph_support.h"
#include "render/led_preview.h"
#include "scripted_prompter.h"

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

class LedPreviewTest : public ::testing::Test {
protected:
    LedPreviewTest() {
        dir_.WriteFullyLitTables();
        table_.SetText(0, "HELLO");
    }

    static bool AllGrey(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(128, 128, 128)) {
                    return false;
                }
            }
        }
        return true;
    }

    testing::GlyphTableDir dir_;
    testing::ScriptedPrompter prompter_;
    MessageTable table_;
    LedPreview preview_{table_, {dir_.path(), prompter_}};
};

TEST_F(LedPreviewTest, FramesAreDrawnWhileRunningAndStopGreysAtOnce) {
    EXPECT_TRUE(AllGrey(preview_.Image()));
    EXPECT_FALSE(preview_.Tick().imageChanged) << "stopped";
    ASSERT_TRUE(preview_.Start());
    LedPreview::Step step = preview_.Tick();
    EXPECT_TRUE(step.imageChanged);
    EXPECT_FALSE(AllGrey(preview_.Image()));
    EXPECT_EQ(preview_.Image().size(), QSize(160, 187));

    // Left to right on 450 columns holds on the 46th tick.
    int ticks = 1;
    while (step.holdMilliseconds == 0 && ticks < 100) {
        step = preview_.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 46);
    EXPECT_EQ(step.holdMilliseconds, 1000);
    EXPECT_FALSE(step.imageChanged);
    preview_.Stop();
    EXPECT_TRUE(AllGrey(preview_.Image()));
    EXPECT_FALSE(preview_.ResumeAfterHold().imageChanged);
    EXPECT_TRUE(AllGrey(preview_.Image()));
}

TEST_F(LedPreviewTest, ColourChangesShowOnTheNextFrame) {
    ASSERT_TRUE(preview_.Start());
    for (int tick = 0; tick < 10; ++tick) {
        preview_.Tick();
    }
    const QImage red = preview_.Image();
    preview_.NextColor();
    EXPECT_EQ(preview_.Image(), red);
    preview_.Tick();
    const Brightening change(preview_.Image(), red);
    EXPECT_GT(change.rgb[1], 0);
    EXPECT_EQ(preview_.Engine().LedColor(), 1);
}

}  // namespace
}  // namespace lumera
