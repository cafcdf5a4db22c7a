#pragma once

#include <QImage>
#include <functional>

#include "render/led_preview.h"
#include "render/preview_engine.h"

namespace lumera {

// Timing of a recorded preview, in the hundredths of a second an animated picture counts.
constexpr int kMillisecondsPerCentisecond = 10;
constexpr int kTickCentiseconds = kPreviewTickMilliseconds / kMillisecondsPerCentisecond;
constexpr int kHoldCentiseconds = kPreviewHoldMilliseconds / kMillisecondsPerCentisecond;

// Ticks allowed for one section: far more than the slowest effects take (under 350).
constexpr int kMostSectionTicks = 1'000;

// Plays a started preview through one full cycle of its sections, as the timer would, and
// hands over frame k (the picture tick k leaves once its holds are over, as Advance(k)
// draws it) with how long it stays: one tick, plus a second for each hold of the next tick.
// The cycle ends with the tick that brings back the first section. Returns false when a
// section does not end within kMostSectionTicks (its effect never ends).
bool PlayOneCycle(LedPreview& preview,
                  const std::function<void(const QImage& frame, int centiseconds)>& take);

}  // namespace lumera
