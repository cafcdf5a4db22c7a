#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "editing/message_table.h"
#include "glyph_table_dir.h"
#include "outside/glyph_support.h"
#include "outside/led_face.h"
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
        const double dx = x / weight - image.width() / 2.0, dy = y / weight - image.height() / 2.0;
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

// FNV-1a over the pixels' colours.
std::uint64_t PictureHash(const QImage& image) {
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            hash = (hash ^ (image.pixel(x, y) & 0xFFFFFFu)) * 1099511628211ull;
        }
    }
    return hash;
}

TEST(LedDisplayTest, ThePreviewPictureKeepsEveryPixel) {
    constexpr QSize kPreview(160, 187);
    constexpr auto kTrue = LedFaceStyle::TrueToScale;
    struct Case {
        bool english;
        std::uint8_t color;
        int angle;
        int pattern;
        std::uint64_t hash;
        QSize size = kPreview;
        LedFaceStyle style = LedFaceStyle::Preview;
    };
    const Case cases[] = {
        {true, 0, 270, 0, 0x56520e0540db0afbull},
        {true, 1, 261, 1, 0x9207dd71b0e986d5ull},
        {false, 2, 246, 0, 0x513048079bb28a22ull},
        {false, 3, -160, 1, 0x9d90ee82fb331348ull},
        {false, 0, 359, 2, 0x8c76a991fe4fa9ccull},
        {true, 2, 0, 2, 0x1ff9bff1b5b03d52ull},
        // Other sizes and the true-to-scale face keep theirs too.
        {false, 1, 100, 2, 0xbf2ff595ab27469eull, QSize(320, 374)},
        {true, 3, 33, 0, 0xd3b1a629be4991d8ull, QSize(100, 90)},
        {false, 2, 246, 1, 0x7835d00012783317ull, QSize(374, 374), kTrue},
        {true, 0, 7, 2, 0x3dfd14e3eac396dfull, kPreview, kTrue},
    };
    for (const Case& c : cases) {
        DotRows dots{};
        for (int row = 0; row < kDotRowCount; ++row) {
            for (int k = 0; k < kDotColumnCount; ++k) {
                const bool lit[] = {(k / 40 + row) % 3 == 0, k < 700, (k * 7 + row * 13) % 11 < 5};
                dots[row][k] = lit[c.pattern];
            }
        }
        if (c.size == kPreview && c.style == LedFaceStyle::Preview) {
            EXPECT_EQ(PictureHash(Drawn(dots, c.english, c.color, c.angle)), c.hash) << c.angle;
        }
        QImage sized;
        DrawLedFace(sized, c.size, dots, c.english, c.color, c.angle, c.style);
        EXPECT_EQ(PictureHash(sized), c.hash) << c.angle;
    }
}

TEST(LedDisplayTest, DrawingOverTheLastFrameGivesTheFreshPicture) {
    struct Step {
        DotRows dots;
        bool english;
        std::uint8_t color;
        int angle;
        QSize size = QSize(160, 187);
        bool greyedBetween = false;  // the canvas is changed by someone else first
    };
    const DotRows none{};
    const DotRows word = Lit(3, 100, 400);
    DotRows wordAndWrap = word;  // LEDs either side of the turn's seam change too
    std::fill(&wordAndWrap[5][0], &wordAndWrap[5][30] + 1, 1);
    std::fill(&wordAndWrap[5][1780], &wordAndWrap[5][1799] + 1, 1);
    const Step steps[] = {
        {word, true, 0, 270},
        {wordAndWrap, true, 0, 270},  // a few columns more
        {wordAndWrap, true, 0, 270},
        {none, true, 0, 270},  // none, then all, go
        {wordAndWrap, true, 1, 270},
        {word, true, 1, 271},  // colour, then angle
        {word, true, 1, 274},
        {word, false, 1, 274},  // the same third; mode
        {wordAndWrap, false, 1, 274},
        {word, false, 1, 274, {320, 374}},
        {wordAndWrap, false, 1, 274, {320, 374}, true},
    };
    LedFaceDrawer drawer;
    QImage canvas;
    for (std::size_t k = 0; k < std::size(steps); ++k) {
        const Step& s = steps[k];
        if (s.greyedBetween) {
            canvas.fill(Qt::gray);
        }
        const QImage held = canvas;  // a copy taken before must keep the last frame
        drawer.Draw(canvas, s.size, s.dots, s.english, s.color, s.angle);
        QImage fresh;
        DrawLedFace(fresh, s.size, s.dots, s.english, s.color, s.angle);
        EXPECT_EQ(canvas, fresh) << "step " << k;
        if (k > 0 && !s.greyedBetween && held.size() == s.size) {
            const Step& last = steps[k - 1];
            QImage before;
            DrawLedFace(before, last.size, last.dots, last.english, last.color, last.angle);
            EXPECT_EQ(held, before) << "step " << k;
        }
    }
}

TEST(LedDisplayTest, OtherSizesScaleTheFaceAndKeepTheAngles) {
    struct Case {
        QSize size;
        double scale;  // the smaller of the two ratios to 160 x 187
    };
    const Case cases[] = {{{320, 374}, 2.0}, {{400, 187}, 1.0}, {{80, 120}, 0.5}, {{960, 1122}, 6}};
    const DotRows dots = Lit(7, 0, 14);
    const Brightening reference(Drawn(dots, true, 0, 270), Drawn(DotRows{}, true, 0, 270));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size.width());
        QImage lit, dark;
        DrawLedFace(lit, c.size, dots, true, 0, 270);
        DrawLedFace(dark, c.size, DotRows{}, true, 0, 270);
        ASSERT_EQ(lit.size(), c.size);
        const Brightening scaled(lit, dark);
        EXPECT_NEAR(scaled.angle, reference.angle, 1.0);
        EXPECT_NEAR(scaled.radius, reference.radius * c.scale, 1.0 * c.scale);
    }
}

// How far the light of `image` over `reference` spreads across (x) and along (y) the ring
// of an LED at three o'clock, as standard deviations in pixels.
std::pair<double, double> Spread(const QImage& image, const QImage& reference) {
    double weight = 0, x = 0, y = 0, xx = 0, yy = 0;
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const double gain =
                std::max(qRed(image.pixel(column, row)) - qRed(reference.pixel(column, row)), 0);
            weight += gain, x += gain * column, y += gain * row;
            xx += gain * column * column, yy += gain * row * row;
        }
    }
    x /= weight, y /= weight;
    return {std::sqrt(xx / weight - x * x), std::sqrt(yy / weight - y * y)};
}

TEST(LedDisplayTest, TrueToScaleLedsAreRound) {
    struct Case {
        bool english;
        int row;
        LedFaceStyle style;
        double leastRatio, mostRatio;  // spread along over spread across
    };
    const Case cases[] = {
        {false, 0, LedFaceStyle::TrueToScale, 0.8, 1.25},
        {false, 15, LedFaceStyle::TrueToScale, 0.8, 1.25},
        {true, 0, LedFaceStyle::TrueToScale, 0.8, 1.25},
        {false, 0, LedFaceStyle::Preview, 0.0, 0.75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.english << " row " << c.row);
        // One LED column a little past three o'clock.
        const DotRows dots = Lit(c.row, 0, c.english ? 14 : 7);
        QImage lit, dark;
        DrawLedFace(lit, QSize(480, 561), dots, c.english, 0, 0, c.style);
        DrawLedFace(dark, QSize(480, 561), DotRows{}, c.english, 0, 0, c.style);
        const auto [across, along] = Spread(lit, dark);
        EXPECT_GT(along / across, c.leastRatio);
        EXPECT_LT(along / across, c.mostRatio);
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

TEST_F(LedPreviewTest, AdvanceDrawsWhatTickByTickDraws) {
    const SectionContent sections[] = {{"", OpenEffect::LeftToRight, CloseEffect::FromRightToLeft},
                                       {"AB", OpenEffect::UpToDown, CloseEffect::AllExtinguishes}};
    table_.Load(table_.EnglishMode(), sections);
    for (const int ticks : {1, 2, 46, 47, 92, 93, 150, 400}) {
        SCOPED_TRACE(ticks);
        LedPreview stepped(table_, {dir_.path(), prompter_});
        LedPreview advanced(table_, {dir_.path(), prompter_});
        ASSERT_TRUE(stepped.Start());
        ASSERT_TRUE(advanced.Start());
        for (int tick = 0; tick < ticks; ++tick) {
            for (LedPreview::Step step = stepped.Tick(); step.holdMilliseconds > 0;) {
                step = stepped.ResumeAfterHold();
            }
        }
        advanced.Advance(ticks);
        EXPECT_EQ(advanced.Image(), stepped.Image());
        EXPECT_EQ(advanced.Engine().TextAngle(), stepped.Engine().TextAngle());
        EXPECT_EQ(advanced.ImageAt(QSize(160, 187)), advanced.Image());
    }
    preview_.Stop();
    EXPECT_TRUE(AllGrey(preview_.ImageAt(QSize(300, 200))));
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
