#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "../render/glyph_table_dir.h"
#include "app/outside/glyph_display_preview.h"
#include "app/outside/glyph_support.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

constexpr double kCentreX = 80.0;
constexpr double kCentreY = 93.5;

struct Spot {
    double angle;          // degrees clockwise from three o'clock
    double radius;         // pixels from the centre
    int red, green, blue;  // summed brightening
};

// Where an image is brighter than the reference, weighted by how much.
Spot Brightening(const QImage& image, const QImage& reference) {
    double weight = 0, x = 0, y = 0;
    Spot spot{0, 0, 0, 0, 0};
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const QRgb a = image.pixel(column, row);
            const QRgb b = reference.pixel(column, row);
            const int red = std::max(qRed(a) - qRed(b), 0);
            const int green = std::max(qGreen(a) - qGreen(b), 0);
            const int blue = std::max(qBlue(a) - qBlue(b), 0);
            const int gain = red + green + blue;
            weight += gain;
            x += gain * (column + 0.5);
            y += gain * (row + 0.5);
            spot.red += red;
            spot.green += green;
            spot.blue += blue;
        }
    }
    if (weight == 0) {
        return spot;
    }
    const double dx = x / weight - kCentreX;
    const double dy = y / weight - kCentreY;
    spot.angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (spot.angle < 0) {
        spot.angle += 360.0;
    }
    spot.radius = std::hypot(dx, dy);
    return spot;
}

QImage Drawn(const DotRows& dots, bool english, std::uint8_t color, int angle) {
    QImage image;
    _Display(image, dots, english, color, angle);
    return image;
}

// Lights rows `row` of buffer columns from..to.
DotRows Lit(int row, int from, int to) {
    DotRows dots{};
    for (int column = from; column <= to; ++column) {
        dots[row][column] = 1;
    }
    return dots;
}

TEST(LedDisplayTest, DotsAppearAtTheirAngleOnTheirRing) {
    struct Case {
        const char* name;
        bool english;
        int row, from, to;
        int textAngle;
        double angle;  // textAngle + middle column / 5
    };
    const Case cases[] = {
        {"English, top of the circle", true, 7, 0, 14, 270, 271.5},
        {"English, turned a quarter", true, 7, 0, 14, 0, 1.5},
        {"English, far along the text", true, 7, 900, 914, 90, 271.5},
        {"Chinese, bottom row", false, 0, 600, 614, 200, 321.5},
        {"Chinese, top row, negative angle", false, 15, 1200, 1214, -160, 81.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage dark = Drawn(DotRows{}, c.english, 0, c.textAngle);
        const Spot spot =
            Brightening(Drawn(Lit(c.row, c.from, c.to), c.english, 0, c.textAngle), dark);
        ASSERT_GT(spot.red, 0);
        EXPECT_NEAR(spot.angle, c.angle, 1.0);
    }
}

TEST(LedDisplayTest, RowZeroIsTheInnermostRing) {
    for (const bool english : {true, false}) {
        const int top = english ? 7 : 15;
        const QImage dark = Drawn(DotRows{}, english, 1, 270);
        const double inner = Brightening(Drawn(Lit(0, 0, 59), english, 1, 270), dark).radius;
        const double middle = Brightening(Drawn(Lit(top / 2, 0, 59), english, 1, 270), dark).radius;
        const double outer = Brightening(Drawn(Lit(top, 0, 59), english, 1, 270), dark).radius;
        EXPECT_LT(inner + 10, middle);
        EXPECT_LT(middle + 10, outer);
        EXPECT_LT(outer, 80.0) << "inside the image";
    }
}

TEST(LedDisplayTest, FourColoursAndFaintDarkLeds) {
    const DotRows dots = Lit(4, 0, 299);
    struct Case {
        std::uint8_t color;
        bool red, green, blue;
    };
    for (const Case& c :
         {Case{0, true, false, false}, Case{1, false, true, false}, Case{2, true, true, false},
          Case{3, false, false, true}, Case{4, true, false, false}}) {
        SCOPED_TRACE(c.color);
        const Spot lit =
            Brightening(Drawn(dots, true, c.color, 0), Drawn(DotRows{}, true, c.color, 0));
        const int strongest = std::max({lit.red, lit.green, lit.blue});
        EXPECT_EQ(lit.red > strongest / 2, c.red);
        EXPECT_EQ(lit.green > strongest / 2, c.green);
        EXPECT_EQ(lit.blue > strongest / 2, c.blue);
    }
    // Dark LEDs still show a trace of their colour on the face.
    const Spot dark = Brightening(Drawn(DotRows{}, false, 0, 0), Drawn(DotRows{}, false, 3, 0));
    EXPECT_GT(dark.red, 0);
    EXPECT_EQ(dark.blue, 0);
}

TEST(LedDisplayTest, CanvasIsMadeToTheImageSizeAndDrawingIsRepeatable) {
    QImage canvas(10, 10, QImage::Format_ARGB32);
    const DotRows dots = Lit(3, 100, 400);
    _Display(canvas, dots, false, 2, 123);
    EXPECT_EQ(canvas.size(), QSize(160, 187));
    EXPECT_EQ(canvas.format(), QImage::Format_RGB32);
    EXPECT_EQ(canvas, Drawn(dots, false, 2, 123));
    EXPECT_NE(canvas, Drawn(dots, false, 2, 125));
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
    const Spot change = Brightening(preview_.Image(), red);
    EXPECT_GT(change.green, 0);
    EXPECT_EQ(preview_.Engine().LedColor(), 1);
}

}  // namespace
}  // namespace lumera
