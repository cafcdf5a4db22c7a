#include "render/preview_cycle.h"

#include "render/preview_engine.h"

namespace lumera {
namespace {

// Far more than 32 sections of the slowest effects take (under 350 ticks each).
constexpr int kMostCycleTicks = 32'000;

}  // namespace

std::optional<int> PreviewCycleMilliseconds(const MessageTable& table, GlyphTableFiles tables) {
    MessageTable fromFirst = table;
    fromFirst.SetCurrentSection(0);
    PreviewEngine engine(fromFirst, std::move(tables));
    if (!engine.Start()) {
        return std::nullopt;
    }
    const std::uint32_t first = engine.NextPreviewSection();
    int milliseconds = 0;
    for (int tick = 0; tick < kMostCycleTicks; ++tick) {
        milliseconds += kPreviewTickMilliseconds;
        PreviewOutcome outcome = engine.Timer1Timer();
        bool sectionEnded = false;
        while (outcome.holdMilliseconds > 0) {
            milliseconds += outcome.holdMilliseconds;
            sectionEnded = sectionEnded || outcome.show == PreviewShow::Grey;
            outcome = engine.ResumeAfterHold();
        }
        if (sectionEnded && engine.NextPreviewSection() == first) {
            return milliseconds;
        }
    }
    return std::nullopt;
}

}  // namespace lumera
