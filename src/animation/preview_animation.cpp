#include "animation/preview_animation.h"

#include "animation/animation_cycle.h"
#include "animation/gif_writer.h"
#include "editing/file_bytes.h"
#include "outside/led_face.h"

namespace lumera {
namespace {

constexpr QRgb kStoppedGrey = qRgb(128, 128, 128);

// Pictures with every colour the preview can draw: LEDs all lit, all dark, and lit next to
// dark in both directions for the edges between them.
std::vector<QImage> PaletteSamples(const LedPreview& preview) {
    const PreviewEngine& engine = preview.Engine();
    const QSize size = preview.Image().size();
    std::vector<QImage> samples;
    for (int pattern = 0; pattern < 4; ++pattern) {
        DotRows dots{};
        for (int row = 0; row < kDotRowCount; ++row) {
            for (int column = 0; column < kDotColumnCount; ++column) {
                const bool lit[] = {true, false, (column / 8) % 2 == 0, row % 2 == 0};
                dots[row][column] = lit[pattern] ? 1 : 0;
            }
        }
        QImage sample;
        DrawLedFace(sample, size, dots, engine.EnglishMode(),
                    static_cast<std::uint8_t>(engine.LedColor()), engine.TextAngle());
        samples.push_back(std::move(sample));
    }
    return samples;
}

}  // namespace

AnimationBytes EncodeAnimation(LedPreview& preview) {
    GifWriter writer(preview.Image().size(), GifPalette(PaletteSamples(preview), {kStoppedGrey}));
    bool encoded = true;
    const bool cycled = PlayOneCycle(preview, [&](const QImage& frame, int centiseconds) {
        encoded = encoded && writer.AddFrame(frame, centiseconds);
    });
    if (!cycled) {
        return {std::nullopt,
                "a section's effect never ends (an effect list without a selection), so the "
                "animation has no end"};
    }
    std::optional<std::string> gif = writer.Finish();
    if (!encoded || !gif) {
        return {std::nullopt, "the animation could not be encoded"};
    }
    return {std::move(gif), {}};
}

std::optional<std::string> WriteAnimation(LedPreview& preview, const std::string& path) {
    const AnimationBytes animation = EncodeAnimation(preview);
    if (!animation.gif) {
        return animation.error;
    }
    // The file holds the whole animation or stays as it was.
    if (const auto failure = ReplaceFileContents(path, *animation.gif)) {
        return "cannot write " + path + ": " + *failure;
    }
    return std::nullopt;
}

}  // namespace lumera
