#include "render/preview_effects.h"

#include <algorithm>
#include <cstring>

namespace lumera {
namespace {

constexpr int kColumnStep = 10;
constexpr int kRowTimerWaitTicks = 5;  // ticks that only redraw before a row advance
constexpr int kShowAllTicks = 100;
constexpr int kDegreesPerTurnStep = 2;
constexpr int kFullTurn = 360;

// The row timer of the row effects: every 7th tick advances the step by one row.
// `complete(oldStep)` ends the effect; otherwise `blank(step)` hides what stays hidden.
template <typename Complete, typename Blank>
bool RowTimerStep(EffectState& state, Complete complete, Blank blank) {
    const int oldTick = state.tick++;
    if (oldTick <= kRowTimerWaitTicks) {
        blank(state.step);
        return false;
    }
    state.tick = 0;
    const int oldStep = state.step++;
    if (complete(oldStep)) {
        return true;
    }
    blank(state.step);
    return false;
}

EffectProgress Finish(EffectState& state, EffectProgress progress) {
    state.step = 0;
    return progress;
}

}  // namespace

void BlankDots(DotRows& dotRows, int rowFrom, int rowTo, int columnFrom, int columnTo) {
    rowFrom = std::max(rowFrom, 0);
    rowTo = std::min(rowTo, kDotRowCount - 1);
    columnFrom = std::max(columnFrom, 0);
    columnTo = std::min(columnTo, kDotColumnCount - 1);
    if (columnFrom > columnTo) {
        return;
    }
    for (int row = rowFrom; row <= rowTo; ++row) {
        std::memset(&dotRows[row][columnFrom], 0, columnTo - columnFrom + 1);
    }
}

EffectProgress StepOpening(std::optional<OpenEffect> effect, int rows, int width,
                           EffectState& state, DotRows& dotRows) {
    if (!effect) {
        return EffectProgress::Running;
    }
    const int half = width / 2;
    const int lastRow = rows - 1;
    const auto done = [&] { return Finish(state, EffectProgress::DoneWithHold); };
    switch (*effect) {
        case OpenEffect::LeftToRight:
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, state.step, width - 1);
            break;
        case OpenEffect::RightToLeft:
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, width - state.step - 1);
            break;
        case OpenEffect::UpToDown:  // top row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep > lastRow; },
                    [&](int step) { BlankDots(dotRows, 0, lastRow - step, 0, width - 1); })) {
                return done();
            }
            break;
        case OpenEffect::DownToUp:  // bottom row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep > lastRow; },
                    [&](int step) { BlankDots(dotRows, step, lastRow, 0, kDotColumnCount - 1); })) {
                return done();
            }
            break;
        case OpenEffect::MiddleToTwoNearby:
            state.step += kColumnStep;
            if (state.step > half) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, half - state.step);
            BlankDots(dotRows, 0, lastRow, half + state.step, width - 1);
            break;
        case OpenEffect::TwoNearbyToMiddle:
            state.step += kColumnStep;
            if (state.step > half) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, state.step, width - state.step);
            break;
        case OpenEffect::AllDisplay:  // the whole text for 101 ticks
            if (state.step++ == kShowAllTicks) {
                return Finish(state, EffectProgress::Done);
            }
            break;
        case OpenEffect::ContraRotation:  // one turn
            // Wrapping by a whole turn keeps an odd angle odd, so the turn ends where it began.
            state.textAngle -= kDegreesPerTurnStep;
            if (state.textAngle <= 0) {
                state.textAngle += kFullTurn;
            }
            state.step += kDegreesPerTurnStep;
            if (state.step >= kFullTurn) {
                return Finish(state, EffectProgress::Done);
            }
            break;
        case OpenEffect::ClockwiseRotation:  // one turn
            state.textAngle += kDegreesPerTurnStep;
            if (state.textAngle >= kFullTurn) {
                state.textAngle -= kFullTurn;
            }
            state.step += kDegreesPerTurnStep;
            if (state.step >= kFullTurn) {
                return Finish(state, EffectProgress::Done);
            }
            break;
    }
    return EffectProgress::Running;
}

EffectProgress StepClosing(std::optional<CloseEffect> effect, int rows, int width,
                           EffectState& state, DotRows& dotRows) {
    if (!effect) {
        return EffectProgress::Running;
    }
    const int half = width / 2;
    const int lastRow = rows - 1;
    const auto done = [&] { return Finish(state, EffectProgress::Done); };
    // The two middle closings compare after 10 columns and blank after 11.
    const auto elevenColumnStep = [&] {
        state.step += kColumnStep;
        if (state.step >= half) {
            return true;
        }
        ++state.step;
        return false;
    };
    switch (*effect) {
        case CloseEffect::FromRightToLeft:  // hides from the right end
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, width - state.step + 1, width - 1);
            break;
        case CloseEffect::FromLeftToRight:  // hides from the left end
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, state.step - 1);
            break;
        case CloseEffect::FromDownToUp:  // bottom row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep >= lastRow; },
                    [&](int step) { BlankDots(dotRows, 0, step - 1, 0, width - 1); })) {
                return done();
            }
            break;
        case CloseEffect::FromUpToDown:  // top row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep >= lastRow; },
                    [&](int step) { BlankDots(dotRows, rows - step, lastRow, 0, width - 1); })) {
                return done();
            }
            break;
        case CloseEffect::FromMiddleToTwoNearby:  // from both ends to the middle
            if (elevenColumnStep()) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, state.step);
            BlankDots(dotRows, 0, lastRow, width - state.step, width - 1);
            break;
        case CloseEffect::FromTwoNearbyToMiddle:  // from the middle to both ends
            if (elevenColumnStep()) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, half - state.step, half + state.step);
            break;
        case CloseEffect::AllExtinguishes:
            return done();
    }
    return EffectProgress::Running;
}

}  // namespace lumera
