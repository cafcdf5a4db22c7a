#include <QColor>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "outside/glyph_convert_layout.h"
#include "outside/glyph_support.h"

namespace lumera {
namespace {

using namespace led_layout;

constexpr int kImageWidth = 160;
constexpr int kImageHeight = 187;
constexpr float kCentreX = kImageWidth / 2.0f;
constexpr float kCentreY = kImageHeight / 2.0f;
constexpr float kFullTurn = 360.0f;

// The face: a dark disc in a bezel on the housing, a hub in the middle, and the LEDs on
// rings between the hub and the bezel (the innermost ring is row 0).
constexpr float kBezelOuterRadius = 79.5f;
constexpr float kFaceRadius = 77.5f;
constexpr float kHubRadius = 13.0f;
constexpr float kHubRimWidth = 1.5f;
constexpr float kOuterRingRadius = 74.0f;
constexpr float kInnerRingRadius = 42.5f;
// An LED fills this share of its cell along the ring and across it.
constexpr float kLedFill = 0.80f;

constexpr QRgb kHousing = qRgb(36, 37, 40);
constexpr QRgb kBezelLight = qRgb(96, 98, 104);
constexpr QRgb kBezelDark = qRgb(52, 53, 57);
constexpr QRgb kFace = qRgb(13, 13, 15);
constexpr QRgb kHub = qRgb(28, 28, 31);
constexpr QRgb kHubRim = qRgb(58, 59, 63);

constexpr std::array<QRgb, 4> kLedColors = {
    qRgb(255, 38, 24),   // red
    qRgb(40, 235, 72),   // green
    qRgb(255, 178, 0),   // amber
    qRgb(56, 124, 255),  // blue
};
constexpr float kUnlitShare = 0.14f;  // how much of its colour a dark LED still shows
constexpr float kHotCoreWhite = 0.45f;

// Shading by squared distance from an LED's centre, in LED radii; the last step is the
// bare face.
constexpr int kShadeSteps = 64;
constexpr float kShadeReach = 1.7f;  // squared distance at which an LED has faded out
constexpr float kShadeScale = kShadeSteps / kShadeReach;

// Each pixel near the rings is the mean of four points, so LEDs a pixel or two wide keep
// their shape instead of beating against the pixel grid.
constexpr int kPointsPerPixel = 4;
constexpr std::array<std::array<float, 2>, kPointsPerPixel> kPointOffsets = {
    {{0.375f, 0.125f}, {0.875f, 0.375f}, {0.625f, 0.875f}, {0.125f, 0.625f}}};

// Whole degrees move the text by thirds of an LED column (1.5 or 3 degrees a column), so
// a point's place in its LED has three forms, all worked out once; a frame then only
// shifts LED column numbers.
constexpr int kAlignments = 3;

constexpr int ThirdsPerDegree(bool englishMode) {
    return kAlignments * LedColumns(englishMode) / 360;
}
static_assert(ThirdsPerDegree(true) * 360 == kAlignments * kEnglishLedColumns);
static_assert(ThirdsPerDegree(false) * 360 == kAlignments * kChineseLedColumns);

// One pixel near the rings, for one alignment: for each of its points, the LED row and
// column (with the text at angle 0) and the shading step.
struct LedPixel {
    std::int32_t index;  // y * width + x
    std::array<std::uint8_t, kPointsPerPixel> row;
    std::array<std::uint8_t, kPointsPerPixel> column;
    std::array<std::uint8_t, kPointsPerPixel> step;
};

struct ModeGeometry {
    std::array<std::vector<LedPixel>, kAlignments> pixels;
};

struct FaceGeometry {
    QImage face;
    ModeGeometry english;
    ModeGeometry chinese;
};

QRgb Mix(QRgb from, QRgb to, float share) {
    share = std::clamp(share, 0.0f, 1.0f);
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

QRgb FacePixel(float dx, float dy) {
    const float radius = std::hypot(dx, dy);
    if (radius >= kBezelOuterRadius) {
        return kHousing;
    }
    if (radius >= kFaceRadius) {
        // Lit from above: the bezel is lighter at the top than at the bottom.
        return Mix(kBezelLight, kBezelDark, 0.5f + 0.5f * dy / radius);
    }
    if (radius < kHubRadius - kHubRimWidth) {
        return kHub;
    }
    if (radius < kHubRadius) {
        return kHubRim;
    }
    return kFace;
}

ModeGeometry RingPixels(bool englishMode) {
    const int rows = LedRows(englishMode);
    const int columns = LedColumns(englishMode);
    const float ringPitch = (kOuterRingRadius - kInnerRingRadius) / (rows - 1);
    const float pitchDegrees = kFullTurn / columns;
    const float ledRadius = 0.5f * kLedFill * ringPitch;
    const float reach = std::sqrt(kShadeReach);
    ModeGeometry geometry;
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            std::array<LedPixel, kAlignments> aligned;
            bool nearRing = false;
            for (int p = 0; p < kPointsPerPixel; ++p) {
                const float dx = x + kPointOffsets[p][0] - kCentreX;
                const float dy = y + kPointOffsets[p][1] - kCentreY;
                const float radius = std::hypot(dx, dy);
                const int row = std::clamp(
                    static_cast<int>(std::lround((radius - kInnerRingRadius) / ringPitch)), 0,
                    rows - 1);
                const float radial = (radius - (kInnerRingRadius + row * ringPitch)) / ledRadius;
                nearRing = nearRing || std::abs(radial) < reach;
                float angle = std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float>;
                if (angle < 0) {
                    angle += kFullTurn;
                }
                // Along the ring an LED spans kLedFill of its column.
                const float alongPerColumn = 2.0f / kLedFill;
                for (int a = 0; a < kAlignments; ++a) {
                    float position = angle / pitchDegrees - static_cast<float>(a) / kAlignments;
                    if (position < 0) {
                        position += columns;
                    }
                    const int column = static_cast<int>(position) % columns;
                    const float along = (position - std::floor(position) - 0.5f) * alongPerColumn;
                    const float distance2 = radial * radial + along * along;
                    aligned[a].index = y * kImageWidth + x;
                    aligned[a].row[p] = static_cast<std::uint8_t>(row);
                    aligned[a].column[p] = static_cast<std::uint8_t>(column);
                    aligned[a].step[p] = static_cast<std::uint8_t>(
                        std::min(static_cast<int>(distance2 * kShadeScale), kShadeSteps));
                }
            }
            if (nearRing) {
                for (int a = 0; a < kAlignments; ++a) {
                    geometry.pixels[a].push_back(aligned[a]);
                }
            }
        }
    }
    return geometry;
}

const FaceGeometry& Geometry() {
    static const FaceGeometry geometry = [] {
        FaceGeometry built;
        built.face = QImage(kImageWidth, kImageHeight, QImage::Format_RGB32);
        for (int y = 0; y < kImageHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(built.face.scanLine(y));
            for (int x = 0; x < kImageWidth; ++x) {
                line[x] = FacePixel(x + 0.5f - kCentreX, y + 0.5f - kCentreY);
            }
        }
        built.english = RingPixels(true);
        built.chinese = RingPixels(false);
        return built;
    }();
    return geometry;
}

// The colour of a dark (0) or lit (1) LED at each shading step, laid on the face.
using LedShades = std::array<std::array<QRgb, kShadeSteps + 1>, 2>;

LedShades Shades(QRgb color) {
    LedShades shades;
    const QRgb dark = Mix(kFace, color, kUnlitShare);
    for (int step = 0; step < kShadeSteps; ++step) {
        const float distance = std::sqrt((step + 0.5f) / kShadeScale);
        // Full colour to 0.8 radii, fading out by 1.1; a faint glow beyond for lit LEDs.
        const float body = std::clamp((1.1f - distance) / 0.3f, 0.0f, 1.0f);
        const float glow = 0.18f * std::clamp((1.3f - distance) / 0.5f, 0.0f, 1.0f);
        const QRgb core = Mix(color, qRgb(255, 255, 255), kHotCoreWhite * (1.0f - distance / 0.4f));
        shades[1][step] = Mix(kFace, core, std::max(body, glow));
        shades[0][step] = Mix(kFace, dark, body);
    }
    shades[0][kShadeSteps] = kFace;
    shades[1][kShadeSteps] = kFace;
    return shades;
}

void DrawLeds(QRgb* pixels, const ModeGeometry& geometry, const DotRows& dotRows, bool englishMode,
              QRgb color, std::int32_t textAngle) {
    const int columns = LedColumns(englishMode);
    // Which LEDs are lit, with the text at angle 0; written twice over so that shifted
    // column numbers need no wrap.
    std::array<std::array<std::uint8_t, 2 * kChineseLedColumns>, kChineseRows> lit{};
    for (int row = 0; row < LedRows(englishMode); ++row) {
        for (int k = 0; k < columns; ++k) {
            lit[row][k] = lit[row][k + columns] =
                dotRows[row][LedSampleColumn(englishMode, k)] != 0;
        }
    }
    const int thirds = ((textAngle % 360 + 360) % 360) * ThirdsPerDegree(englishMode);
    const int offset = columns - thirds / kAlignments;
    const LedShades shades = Shades(color);
    // Red and blue add up in one word, green in another: four 8-bit values cannot overflow.
    constexpr std::uint32_t kRedBlue = 0x00FF00FF;
    constexpr std::uint32_t kGreen = 0x0000FF00;
    for (const LedPixel& pixel : geometry.pixels[thirds % kAlignments]) {
        std::uint32_t redBlue = 0;
        std::uint32_t green = 0;
        for (int p = 0; p < kPointsPerPixel; ++p) {
            const QRgb shade = shades[lit[pixel.row[p]][pixel.column[p] + offset]][pixel.step[p]];
            redBlue += shade & kRedBlue;
            green += shade & kGreen;
        }
        static_assert(kPointsPerPixel == 4, "the mean below divides by four");
        pixels[pixel.index] = 0xFF000000u | ((redBlue >> 2) & kRedBlue) | ((green >> 2) & kGreen);
    }
}

}  // namespace

void _Display(QImage& canvas, const DotRows& dotRows, bool englishMode, std::uint8_t ledColor,
              std::int32_t textAngle) {
    const FaceGeometry& geometry = Geometry();
    if (canvas.size() != geometry.face.size() || canvas.format() != QImage::Format_RGB32) {
        canvas = QImage(geometry.face.size(), QImage::Format_RGB32);
    }
    auto* pixels = reinterpret_cast<QRgb*>(canvas.bits());
    std::memcpy(pixels, geometry.face.constBits(), geometry.face.sizeInBytes());
    DrawLeds(pixels, englishMode ? geometry.english : geometry.chinese, dotRows, englishMode,
             kLedColors[ledColor % kLedColors.size()], textAngle);
}

}  // namespace lumera
