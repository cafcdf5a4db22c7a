#pragma once

#include <cstdint>
#include <optional>

#include "editing/effects.h"
#include "outside/glyph_cell.h"

namespace lumera {

// The counters of the running effect; the opening and closing phases share them.
struct EffectState {
    std::uint16_t step = 0;      // EffectStep: columns, rows, ticks or degrees, by effect
    std::uint16_t tick = 0;      // EffectTick: the row timer
    std::int32_t textAngle = 0;  // TextAngle, turned by the rotations
};

// EffectTick when a section is loaded: its first row advance comes on the second tick.
constexpr std::uint16_t kSectionStartTick = 5;

enum class EffectProgress { Running, Done, DoneWithHold };

// One tick of the opening `effect` on a text of `rows` rows and `width` columns: advances
// the state and blanks what stays hidden. On completion the step is back at 0. No effect
// (an image's record may name none the display knows) does nothing and never completes.
EffectProgress StepOpening(std::optional<OpenEffect> effect, int rows, int width,
                           EffectState& state, DotRows& dotRows);
// The same for the closing `effect`; closings never hold.
EffectProgress StepClosing(std::optional<CloseEffect> effect, int rows, int width,
                           EffectState& state, DotRows& dotRows);

// Zeroes rows rowFrom..rowTo of columns columnFrom..columnTo, clipped to the buffer.
void BlankDots(DotRows& dotRows, int rowFrom, int rowTo, int columnFrom, int columnTo);

}  // namespace lumera
