#include "animation/animation_cycle.h"

namespace lumera {

bool PlayOneCycle(LedPreview& preview,
                  const std::function<void(const QImage& frame, int centiseconds)>& take) {
    const std::uint32_t firstNext = preview.Engine().NextPreviewSection();
    QImage pending;
    for (int sectionTicks = 1; sectionTicks <= kMostSectionTicks; ++sectionTicks) {
        int holdCentiseconds = 0;
        bool sectionEnded = false;
        LedPreview::Step step = preview.Tick();
        while (step.holdMilliseconds > 0) {
            holdCentiseconds += kHoldCentiseconds;
            sectionEnded = sectionEnded || step.sectionEnded;
            step = preview.ResumeAfterHold();
        }
        if (!pending.isNull()) {
            take(pending, kTickCentiseconds + holdCentiseconds);
        }
        pending = preview.Image();
        if (sectionEnded && preview.Engine().NextPreviewSection() == firstNext) {
            take(pending, kTickCentiseconds);
            return true;
        }
        if (sectionEnded) {
            sectionTicks = 0;
        }
    }
    return false;
}

}  // namespace lumera
