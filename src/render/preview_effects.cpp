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

EffectProgress StepOpening(int option, int rows, int width, EffectState& state, DotRows& dotRows) {
    const int half = width / 2;
    const int lastRow = rows - 1;
    const auto done = [&] { return Finish(state, EffectProgress::DoneWithHold); };
    switch (option) {
        case 0:  // left to right
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, state.step, width - 1);
            break;
        case 1:  // right to left
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, width - state.step - 1);
            break;
        case 2:  // top row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep > lastRow; },
                    [&](int step) { BlankDots(dotRows, 0, lastRow - step, 0, width - 1); })) {
                return done();
            }
            break;
        case 3:  // bottom row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep > lastRow; },
                    [&](int step) { BlankDots(dotRows, step, lastRow, 0, kDotColumnCount - 1); })) {
                return done();
            }
            break;
        case 4:  // from the middle out
            state.step += kColumnStep;
            if (state.step > half) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, half - state.step);
            BlankDots(dotRows, 0, lastRow, half + state.step, width - 1);
            break;
        case 5:  // from both ends in
            state.step += kColumnStep;
            if (state.step > half) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, state.step, width - state.step);
            break;
        case 6:  // the whole text for 101 ticks
            if (state.step++ == kShowAllTicks) {
                return Finish(state, EffectProgress::Done);
            }
            break;
        case 7:  // one turn anticlockwise
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
        case 8:  // one turn clockwise
            state.textAngle += kDegreesPerTurnStep;
            if (state.textAngle >= kFullTurn) {
                state.textAngle -= kFullTurn;
            }
            state.step += kDegreesPerTurnStep;
            if (state.step >= kFullTurn) {
                return Finish(state, EffectProgress::Done);
            }
            break;
        default:
            break;
    }
    return EffectProgress::Running;
}

EffectProgress StepClosing(int option, int rows, int width, EffectState& state, DotRows& dotRows) {
    const int half = width / 2;
    const int lastRow = rows - 1;
    const auto done = [&] { return Finish(state, EffectProgress::Done); };
    // Closings 4 and 5 compare after 10 columns and blank after 11.
    const auto elevenColumnStep = [&] {
        state.step += kColumnStep;
        if (state.step >= half) {
            return true;
        }
        ++state.step;
        return false;
    };
    switch (option) {
        case 0:  // hides from the right end
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, width - state.step + 1, width - 1);
            break;
        case 1:  // hides from the left end
            state.step += kColumnStep;
            if (state.step > width) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, state.step - 1);
            break;
        case 2:  // bottom row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep >= lastRow; },
                    [&](int step) { BlankDots(dotRows, 0, step - 1, 0, width - 1); })) {
                return done();
            }
            break;
        case 3:  // top row first
            if (RowTimerStep(
                    state, [&](int oldStep) { return oldStep >= lastRow; },
                    [&](int step) { BlankDots(dotRows, rows - step, lastRow, 0, width - 1); })) {
                return done();
            }
            break;
        case 4:  // from both ends to the middle
            if (elevenColumnStep()) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, 0, state.step);
            BlankDots(dotRows, 0, lastRow, width - state.step, width - 1);
            break;
        case 5:  // from the middle to both ends
            if (elevenColumnStep()) {
                return done();
            }
            BlankDots(dotRows, 0, lastRow, half - state.step, half + state.step);
            break;
        case 6:  // all off at once
            return done();
        default:
            break;
    }
    return EffectProgress::Running;
}

}  // namespace lumera
