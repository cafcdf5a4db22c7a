#pragma once

#include <QSize>
#include <cstdint>
#include <memory>

#include "outside/glyph_cell.h"

class QImage;

namespace lumera {

enum class LedFaceStyle {
    Preview,     // the rings and LEDs of the 160 x 187 preview, scaled
    TrueToScale  // rings as far apart as the columns, round LEDs: glyphs keep their proportions
};

// The LED simulation of _Display at any picture size: the 160 x 187 face scaled by the
// smaller of the two ratios and centred, the rest housing. canvas is made `size` RGB32 if
// it is not; at 160 x 187 in the Preview style the picture is exactly _Display's.
void DrawLedFace(QImage& canvas, QSize size, const DotRows& dotRows, bool englishMode,
                 std::uint8_t ledColor, std::int32_t textAngle,
                 LedFaceStyle style = LedFaceStyle::Preview);

// DrawLedFace for frame after frame into one canvas: while the canvas keeps the last frame
// drawn into it (nobody else changed it) at the same size, style, mode, colour and angle,
// only the LED columns whose dots changed are drawn again. The picture is always exactly
// DrawLedFace's.
class LedFaceDrawer {
public:
    LedFaceDrawer();
    LedFaceDrawer(const LedFaceDrawer&) = delete;
    LedFaceDrawer& operator=(const LedFaceDrawer&) = delete;
    ~LedFaceDrawer();

    void Draw(QImage& canvas, QSize size, const DotRows& dotRows, bool englishMode,
              std::uint8_t ledColor, std::int32_t textAngle,
              LedFaceStyle style = LedFaceStyle::Preview);

private:
    struct Drawn;
    std::unique_ptr<Drawn> last_;
};

}  // namespace lumera
