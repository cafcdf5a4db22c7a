#include <QColor>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "app/outside/glyph_convert_layout.h"
#include "app/outside/glyph_support.h"

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

// Shading by squared distance from an LED's centre, in LED radii.
constexpr int kShadeSteps = 64;
constexpr float kShadeReach = 1.7f;  // squared distance at which an LED has faded out
constexpr float kShadeScale = kShadeSteps / kShadeReach;

// A point of the image near a ring of LEDs.
struct RingPoint {
    float angle;       // degrees clockwise from three o'clock, 0..360
    float radial;      // distance from the ring's centre line, in LED radii
    float alongScale;  // LED radii per degree along the ring at this radius
    std::int32_t row;
};

// Each pixel near the rings is the mean of four points, so LEDs a pixel or two wide keep
// their shape instead of beating against the pixel grid.
constexpr int kPointsPerPixel = 4;
constexpr std::array<std::array<float, 2>, kPointsPerPixel> kPointOffsets = {
    {{0.375f, 0.125f}, {0.875f, 0.375f}, {0.625f, 0.875f}, {0.125f, 0.625f}}};

struct LedPixel {
    std::int32_t index;  // y * width + x
    std::array<RingPoint, kPointsPerPixel> points;
};

struct FaceGeometry {
    QImage face;
    std::vector<LedPixel> englishPixels;
    std::vector<LedPixel> chinesePixels;
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

std::vector<LedPixel> RingPixels(bool englishMode) {
    const int rows = LedRows(englishMode);
    const float ringPitch = (kOuterRingRadius - kInnerRingRadius) / (rows - 1);
    const float pitchDegrees = kFullTurn / LedColumns(englishMode);
    const float ledRadius = 0.5f * kLedFill * ringPitch;
    const float reach = std::sqrt(kShadeReach);
    const auto pointAt = [&](float dx, float dy) {
        const float radius = std::hypot(dx, dy);
        const int row = std::clamp(
            static_cast<int>(std::lround((radius - kInnerRingRadius) / ringPitch)), 0, rows - 1);
        float angle = std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float>;
        if (angle < 0) {
            angle += kFullTurn;
        }
        const float arcPerDegree = radius * std::numbers::pi_v<float> / 180.0f;
        const float alongRadius = 0.5f * kLedFill * arcPerDegree * pitchDegrees;
        return RingPoint{angle, (radius - (kInnerRingRadius + row * ringPitch)) / ledRadius,
                         arcPerDegree / alongRadius, row};
    };
    std::vector<LedPixel> pixels;
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            LedPixel pixel{y * kImageWidth + x, {}};
            bool nearRing = false;
            for (int p = 0; p < kPointsPerPixel; ++p) {
                pixel.points[p] =
                    pointAt(x + kPointOffsets[p][0] - kCentreX, y + kPointOffsets[p][1] - kCentreY);
                nearRing = nearRing || std::abs(pixel.points[p].radial) < reach;
            }
            if (nearRing) {
                pixels.push_back(pixel);
            }
        }
    }
    return pixels;
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
        built.englishPixels = RingPixels(true);
        built.chinesePixels = RingPixels(false);
        return built;
    }();
    return geometry;
}

// The colour of a lit or dark LED at each shading step, already laid on the face.
struct LedShades {
    std::array<QRgb, kShadeSteps> lit;
    std::array<QRgb, kShadeSteps> unlit;
};

LedShades Shades(QRgb color) {
    LedShades shades;
    const QRgb dark = Mix(kFace, color, kUnlitShare);
    for (int step = 0; step < kShadeSteps; ++step) {
        const float distance = std::sqrt((step + 0.5f) / kShadeScale);
        // Full colour to 0.8 radii, fading out by 1.1; a faint glow beyond for lit LEDs.
        const float body = std::clamp((1.1f - distance) / 0.3f, 0.0f, 1.0f);
        const float glow = 0.18f * std::clamp((1.3f - distance) / 0.5f, 0.0f, 1.0f);
        const QRgb core = Mix(color, qRgb(255, 255, 255), kHotCoreWhite * (1.0f - distance / 0.4f));
        shades.lit[step] = Mix(kFace, core, std::max(body, glow));
        shades.unlit[step] = Mix(kFace, dark, body);
    }
    return shades;
}

void DrawLeds(QRgb* pixels, const std::vector<LedPixel>& ringPixels, const DotRows& dotRows,
              bool englishMode, QRgb color, std::int32_t textAngle) {
    const int columns = LedColumns(englishMode);
    const float pitchDegrees = kFullTurn / columns;
    std::array<int, kChineseLedColumns> sampleColumn{};
    for (int k = 0; k < columns; ++k) {
        sampleColumn[k] = LedSampleColumn(englishMode, k);
    }
    const LedShades shades = Shades(color);
    const float start = static_cast<float>(((textAngle % 360) + 360) % 360);
    const auto shadeOf = [&](const RingPoint& point) {
        float phase = point.angle - start;
        if (phase < 0) {
            phase += kFullTurn;
        }
        const float position = phase / pitchDegrees;
        int k = static_cast<int>(position);
        const float along = (position - k - 0.5f) * pitchDegrees * point.alongScale;
        if (k >= columns) {
            k -= columns;
        }
        const int step =
            static_cast<int>((point.radial * point.radial + along * along) * kShadeScale);
        if (step >= kShadeSteps) {
            return kFace;
        }
        return dotRows[point.row][sampleColumn[k]] != 0 ? shades.lit[step] : shades.unlit[step];
    };
    for (const LedPixel& pixel : ringPixels) {
        int red = 0;
        int green = 0;
        int blue = 0;
        for (const RingPoint& point : pixel.points) {
            const QRgb shade = shadeOf(point);
            red += qRed(shade);
            green += qGreen(shade);
            blue += qBlue(shade);
        }
        pixels[pixel.index] =
            qRgb(red / kPointsPerPixel, green / kPointsPerPixel, blue / kPointsPerPixel);
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
    DrawLeds(pixels, englishMode ? geometry.englishPixels : geometry.chinesePixels, dotRows,
             englishMode, kLedColors[ledColor % kLedColors.size()], textAngle);
}

}  // namespace lumera
