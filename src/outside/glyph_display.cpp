#include <QColor>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <numbers>
#include <vector>

#include "outside/glyph_convert_layout.h"
#include "outside/glyph_support.h"
#include "outside/led_face.h"

namespace lumera {
namespace {

using namespace led_layout;

constexpr int kImageWidth = 160;
constexpr int kImageHeight = 187;
constexpr float kFullTurn = 360.0f;

// The face at 160 x 187: a dark disc in a bezel on the housing, a hub in the middle, and
// the LEDs on rings between the hub and the bezel (the innermost ring is row 0). Other
// sizes scale it by the smaller of the two ratios, centred.
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
// a point's place in its LED has three forms, each worked out once when first drawn; a
// frame then only shifts LED column numbers.
constexpr int kAlignments = 3;

// Geometry is kept for this many picture sizes: the preview, a large view and a resize.
constexpr std::size_t kKeptSizes = 3;

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

// Where the face lies in a picture of a given size.
struct FacePlacement {
    int width;
    int height;
    float centreX;
    float centreY;
    float scale;

    explicit FacePlacement(QSize size)
        : width(size.width()),
          height(size.height()),
          centreX(width / 2.0f),
          centreY(height / 2.0f),
          scale(std::min(static_cast<float>(width) / kImageWidth,
                         static_cast<float>(height) / kImageHeight)) {}
};

QRgb Mix(QRgb from, QRgb to, float share) {
    share = std::clamp(share, 0.0f, 1.0f);
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

QRgb FacePixel(float dx, float dy, float scale) {
    const float radius = std::hypot(dx, dy);
    if (radius >= kBezelOuterRadius * scale) {
        return kHousing;
    }
    if (radius >= kFaceRadius * scale) {
        // Lit from above: the bezel is lighter at the top than at the bottom.
        return Mix(kBezelLight, kBezelDark, 0.5f + 0.5f * dy / radius);
    }
    if (radius < (kHubRadius - kHubRimWidth) * scale) {
        return kHub;
    }
    if (radius < kHubRadius * scale) {
        return kHubRim;
    }
    return kFace;
}

// Where the rings lie and how large an LED is, in pixels.
struct RingLayout {
    float innerRingRadius;
    float ringPitch;
    float ledRadius;
};

RingLayout Rings(const FacePlacement& place, bool englishMode, LedFaceStyle style) {
    const int rows = LedRows(englishMode);
    const float outer = kOuterRingRadius * place.scale;
    if (style == LedFaceStyle::Preview) {
        const float inner = kInnerRingRadius * place.scale;
        const float pitch = (outer - inner) / (rows - 1);
        return {inner, pitch, 0.5f * kLedFill * pitch};
    }
    // Rings as far apart as columns are at the middle ring, so a glyph keeps its proportions;
    // an LED is round and as wide as the innermost ring allows.
    const float radiansPerColumn = 2.0f * std::numbers::pi_v<float> / LedColumns(englishMode);
    const float half = (rows - 1) * radiansPerColumn / 2.0f;
    const float inner = outer * (1.0f - half) / (1.0f + half);
    const float pitch = (outer - inner) / (rows - 1);
    return {inner, pitch, 0.5f * kLedFill * std::min(pitch, inner * radiansPerColumn)};
}

// The pixels near the rings for one alignment. A pixel's four radii come first: the
// angles, the costly part, are worked out only for pixels near a ring.
std::vector<LedPixel> RingPixels(const FacePlacement& place, bool englishMode, LedFaceStyle style,
                                 int alignment) {
    const int rows = LedRows(englishMode);
    const int columns = LedColumns(englishMode);
    const auto [innerRingRadius, ringPitch, ledRadius] = Rings(place, englishMode, style);
    const float pitchDegrees = kFullTurn / columns;
    const float radiansPerColumn = 2.0f * std::numbers::pi_v<float> / columns;
    const float reach = std::sqrt(kShadeReach);
    // Along the ring an LED spans kLedFill of its column.
    const float alongPerColumn = 2.0f / kLedFill;
    // No point of a pixel whose centre lies beyond the LEDs' reach of the innermost or the
    // outermost ring, by more than the spread of its points, comes near a ring.
    constexpr float kPointSpread = 1.0f;
    const float ledReach = reach * ledRadius + kPointSpread;
    const float nearest = std::max(innerRingRadius - ledReach, 0.0f);
    const float farthest = innerRingRadius + (rows - 1) * ringPitch + ledReach;
    std::vector<LedPixel> pixels;
    for (int y = 0; y < place.height; ++y) {
        for (int x = 0; x < place.width; ++x) {
            const float centreX = x + 0.5f - place.centreX, centreY = y + 0.5f - place.centreY;
            const float centre2 = centreX * centreX + centreY * centreY;
            if (centre2 < nearest * nearest || centre2 > farthest * farthest) {
                continue;
            }
            std::array<float, kPointsPerPixel> dx, dy, radius, radial;
            std::array<int, kPointsPerPixel> row;
            bool nearRing = false;
            for (int p = 0; p < kPointsPerPixel; ++p) {
                dx[p] = x + kPointOffsets[p][0] - place.centreX;
                dy[p] = y + kPointOffsets[p][1] - place.centreY;
                radius[p] = std::hypot(dx[p], dy[p]);
                row[p] = std::clamp(
                    static_cast<int>(std::lround((radius[p] - innerRingRadius) / ringPitch)), 0,
                    rows - 1);
                radial[p] = (radius[p] - (innerRingRadius + row[p] * ringPitch)) / ledRadius;
                nearRing = nearRing || std::abs(radial[p]) < reach;
            }
            if (!nearRing) {
                continue;
            }
            LedPixel pixel;
            pixel.index = y * place.width + x;
            for (int p = 0; p < kPointsPerPixel; ++p) {
                float angle = std::atan2(dy[p], dx[p]) * 180.0f / std::numbers::pi_v<float>;
                if (angle < 0) {
                    angle += kFullTurn;
                }
                float position = angle / pitchDegrees - static_cast<float>(alignment) / kAlignments;
                if (position < 0) {
                    position += columns;
                }
                const int column = static_cast<int>(position) % columns;
                const float offset = position - std::floor(position) - 0.5f;
                const float along = style == LedFaceStyle::Preview
                                        ? offset * alongPerColumn
                                        : offset * radius[p] * radiansPerColumn / ledRadius;
                const float distance2 = radial[p] * radial[p] + along * along;
                pixel.row[p] = static_cast<std::uint8_t>(row[p]);
                pixel.column[p] = static_cast<std::uint8_t>(column);
                pixel.step[p] = static_cast<std::uint8_t>(
                    std::min(static_cast<int>(distance2 * kShadeScale), kShadeSteps));
            }
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

// For each LED column (with the text at angle 0), the pixels that show part of it, as
// positions in `pixels`: what to draw again when that column changes.
std::vector<std::vector<std::uint32_t>> PixelsByColumn(const std::vector<LedPixel>& pixels,
                                                       int columns) {
    std::vector<std::vector<std::uint32_t>> byColumn(columns);
    for (std::uint32_t at = 0; at < pixels.size(); ++at) {
        const auto& column = pixels[at].column;
        for (int p = 0; p < kPointsPerPixel; ++p) {
            if (std::find(column.begin(), column.begin() + p, column[p]) == column.begin() + p) {
                byColumn[column[p]].push_back(at);
            }
        }
    }
    return byColumn;
}

// The face and, built when first drawn, the LEDs of each mode and alignment, for one
// picture size.
class FaceGeometry {
public:
    FaceGeometry(QSize size, LedFaceStyle style)
        : place_(size), style_(style), face_(size, QImage::Format_RGB32) {
        for (int y = 0; y < place_.height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(face_.scanLine(y));
            for (int x = 0; x < place_.width; ++x) {
                line[x] =
                    FacePixel(x + 0.5f - place_.centreX, y + 0.5f - place_.centreY, place_.scale);
            }
        }
    }

    const QImage& Face() const { return face_; }

    const std::vector<LedPixel>& Pixels(bool englishMode, int alignment) {
        Aligned& aligned = Of(englishMode, alignment);
        std::call_once(aligned.pixelsBuilt, [&] {
            aligned.pixels = RingPixels(place_, englishMode, style_, alignment);
        });
        return aligned.pixels;
    }

    const std::vector<std::vector<std::uint32_t>>& ByColumn(bool englishMode, int alignment) {
        const std::vector<LedPixel>& pixels = Pixels(englishMode, alignment);
        Aligned& aligned = Of(englishMode, alignment);
        std::call_once(aligned.byColumnBuilt,
                       [&] { aligned.byColumn = PixelsByColumn(pixels, LedColumns(englishMode)); });
        return aligned.byColumn;
    }

private:
    struct Aligned {
        std::once_flag pixelsBuilt;
        std::vector<LedPixel> pixels;
        std::once_flag byColumnBuilt;
        std::vector<std::vector<std::uint32_t>> byColumn;
    };

    Aligned& Of(bool englishMode, int alignment) {
        return aligned_[(englishMode ? kAlignments : 0) + alignment];
    }

    FacePlacement place_;
    LedFaceStyle style_;
    QImage face_;
    std::array<Aligned, 2 * kAlignments> aligned_;
};

// The geometry of a picture size and style, from the few last drawn.
std::shared_ptr<FaceGeometry> GeometryFor(QSize size, LedFaceStyle style) {
    using Key = std::pair<QSize, LedFaceStyle>;
    static std::mutex guard;
    static std::vector<std::pair<Key, std::shared_ptr<FaceGeometry>>> kept;
    const std::lock_guard lock(guard);
    const Key key{size, style};
    const auto found = std::find_if(kept.begin(), kept.end(),
                                    [&key](const auto& entry) { return entry.first == key; });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front().second;
    }
    if (kept.size() == kKeptSizes) {
        kept.pop_back();
    }
    kept.insert(kept.begin(), {key, std::make_shared<FaceGeometry>(size, style)});
    return kept.front().second;
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

// Which LEDs are lit, with the text at angle 0; written twice over so that shifted column
// numbers need no wrap.
using LitLeds = std::array<std::array<std::uint8_t, 2 * kChineseLedColumns>, kChineseRows>;

LitLeds Lit(const DotRows& dotRows, bool englishMode) {
    const int columns = LedColumns(englishMode);
    LitLeds lit{};
    for (int row = 0; row < LedRows(englishMode); ++row) {
        for (int k = 0; k < columns; ++k) {
            lit[row][k] = lit[row][k + columns] =
                dotRows[row][LedSampleColumn(englishMode, k)] != 0;
        }
    }
    return lit;
}

int Thirds(bool englishMode, std::int32_t textAngle) {
    return ((textAngle % 360 + 360) % 360) * ThirdsPerDegree(englishMode);
}

// What one frame draws with: the lit LEDs shifted to the text's angle, in their colour.
struct LedFrame {
    const LitLeds& lit;
    const LedShades& shades;
    int offset;  // added to a pixel's LED column to find its column of `lit`

    LedFrame(const LitLeds& lit, const LedShades& shades, bool englishMode, int thirds)
        : lit(lit), shades(shades), offset(LedColumns(englishMode) - thirds / kAlignments) {}

    void Draw(QRgb* pixels, const LedPixel& pixel) const {
        // Red and blue add up in one word, green in another: four 8-bit values cannot
        // overflow.
        constexpr std::uint32_t kRedBlue = 0x00FF00FF;
        constexpr std::uint32_t kGreen = 0x0000FF00;
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
};

QRgb LedColor(std::uint8_t ledColor) {
    return kLedColors[ledColor % kLedColors.size()];
}

// Draws the whole face into canvas, which has the geometry's size.
void DrawWhole(QImage& canvas, FaceGeometry& geometry, const LedFrame& frame, bool englishMode,
               int thirds) {
    auto* pixels = reinterpret_cast<QRgb*>(canvas.bits());
    std::memcpy(pixels, geometry.Face().constBits(), geometry.Face().sizeInBytes());
    for (const LedPixel& pixel : geometry.Pixels(englishMode, thirds % kAlignments)) {
        frame.Draw(pixels, pixel);
    }
}

// Draws again the pixels of the LED columns whose lit LEDs differ from `before`.
void DrawChanged(QImage& canvas, FaceGeometry& geometry, const LedFrame& frame, bool englishMode,
                 int thirds, const LitLeds& before) {
    const int columns = LedColumns(englishMode);
    const std::vector<LedPixel>& all = geometry.Pixels(englishMode, thirds % kAlignments);
    const auto& byColumn = geometry.ByColumn(englishMode, thirds % kAlignments);
    QRgb* pixels = nullptr;  // taken only when something changed: bits() may copy the canvas
    for (int k = 0; k < columns; ++k) {
        bool changed = false;
        for (int row = 0; row < LedRows(englishMode) && !changed; ++row) {
            changed = frame.lit[row][k] != before[row][k];
        }
        if (!changed) {
            continue;
        }
        if (!pixels) {
            pixels = reinterpret_cast<QRgb*>(canvas.bits());
        }
        for (const std::uint32_t at :
             byColumn[((k - frame.offset) % columns + columns) % columns]) {
            frame.Draw(pixels, all[at]);
        }
    }
}

void FitCanvas(QImage& canvas, QSize size) {
    if (canvas.size() != size || canvas.format() != QImage::Format_RGB32) {
        canvas = QImage(size, QImage::Format_RGB32);
    }
}

}  // namespace

void DrawLedFace(QImage& canvas, QSize size, const DotRows& dotRows, bool englishMode,
                 std::uint8_t ledColor, std::int32_t textAngle, LedFaceStyle style) {
    size = size.expandedTo(QSize(1, 1));
    const std::shared_ptr<FaceGeometry> geometry = GeometryFor(size, style);
    FitCanvas(canvas, size);
    const LitLeds lit = Lit(dotRows, englishMode);
    const LedShades shades = Shades(LedColor(ledColor));
    const int thirds = Thirds(englishMode, textAngle);
    DrawWhole(canvas, *geometry, LedFrame(lit, shades, englishMode, thirds), englishMode, thirds);
}

struct LedFaceDrawer::Drawn {
    std::shared_ptr<FaceGeometry> geometry;
    qint64 canvasKey;
    bool englishMode;
    std::uint8_t ledColor;
    int thirds;
    LitLeds lit;
    LedShades shades;
};

LedFaceDrawer::LedFaceDrawer() = default;
LedFaceDrawer::~LedFaceDrawer() = default;

void LedFaceDrawer::Draw(QImage& canvas, QSize size, const DotRows& dotRows, bool englishMode,
                         std::uint8_t ledColor, std::int32_t textAngle, LedFaceStyle style) {
    size = size.expandedTo(QSize(1, 1));
    std::shared_ptr<FaceGeometry> geometry = GeometryFor(size, style);
    FitCanvas(canvas, size);
    const int thirds = Thirds(englishMode, textAngle);
    const bool sameColor = last_ && last_->ledColor == ledColor;
    // The canvas still shows the last frame, drawn the same way: only the LED columns whose
    // dots changed are drawn again.
    const bool onLast = sameColor && last_->geometry == geometry &&
                        last_->canvasKey == canvas.cacheKey() &&
                        last_->englishMode == englishMode && last_->thirds == thirds;
    if (!last_) {
        last_ = std::make_unique<Drawn>();
    }
    if (!sameColor) {
        last_->shades = Shades(LedColor(ledColor));
    }
    const LitLeds lit = Lit(dotRows, englishMode);
    const LedFrame frame(lit, last_->shades, englishMode, thirds);
    if (onLast) {
        DrawChanged(canvas, *geometry, frame, englishMode, thirds, last_->lit);
    } else {
        DrawWhole(canvas, *geometry, frame, englishMode, thirds);
    }
    last_->geometry = std::move(geometry);
    last_->canvasKey = canvas.cacheKey();
    last_->englishMode = englishMode;
    last_->ledColor = ledColor;
    last_->thirds = thirds;
    last_->lit = lit;
}

void _Display(QImage& canvas, const DotRows& dotRows, bool englishMode, std::uint8_t ledColor,
              std::int32_t textAngle) {
    DrawLedFace(canvas, QSize(kImageWidth, kImageHeight), dotRows, englishMode, ledColor,
                textAngle);
}

}  // namespace lumera
