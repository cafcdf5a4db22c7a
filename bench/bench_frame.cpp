// One preview frame as the 50 ms tick builds it: dot conversion, one effect step and the
// LED simulation, for the widest texts of each mode.
#include <benchmark/benchmark.h>

#include <QImage>

#include "outside/glyph_support.h"
#include "render/preview_effects.h"

namespace {

using namespace lumera;

// A cell whose dots alternate like a dense glyph, so about half the LEDs are lit.
GlyphCell PatternCell(std::uint8_t kind, std::uint8_t count, int seed) {
    GlyphCell cell;
    cell.kind = kind;
    cell.count = count;
    for (int i = 0; i < count; ++i) {
        cell.data[i] = static_cast<std::uint8_t>((i + seed) % 2 ? 0x55 : 0xAA);
    }
    return cell;
}

void RunFrames(benchmark::State& state, const Glyphs& glyphs, bool english, int rows, int columns) {
    DotRows dots{};
    QImage image(160, 187, QImage::Format_RGB32);
    // Half way in from both ends: the step blanks the middle of the text.
    constexpr OpenEffect kOpening = OpenEffect::TwoNearbyToMiddle;
    for (auto _ : state) {
        if (english) {
            _EngDataConvert(glyphs, dots);
        } else {
            _CNDataConvert(glyphs, dots);
        }
        EffectState effect{static_cast<std::uint16_t>(columns / 4), kSectionStartTick, 210};
        StepOpening(kOpening, rows, columns, effect, dots);
        _Display(image, dots, english, 2, effect.textAngle);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FrameChineseTwelveWideCharacters(benchmark::State& state) {
    Glyphs glyphs;
    for (int i = 0; i < 12; ++i) {
        glyphs.push_back(PatternCell(kDoubleByteGlyph, 24, i));
    }
    RunFrames(state, glyphs, false, 16, 1440);
}
BENCHMARK(BM_FrameChineseTwelveWideCharacters);

void BM_FrameEnglishEighteenCharacters(benchmark::State& state) {
    Glyphs glyphs;
    for (int i = 0; i < 18; ++i) {
        glyphs.push_back(PatternCell(kSingleByteGlyph, 5, i));
    }
    RunFrames(state, glyphs, true, 8, 1620);
}
BENCHMARK(BM_FrameEnglishEighteenCharacters);

}  // namespace
