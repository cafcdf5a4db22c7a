#include "animation/animation_cycle.h"

#include <cstring>

namespace lumera {
namespace {

// Copies the picture's pixels into `kept`, reusing its memory. Sharing the preview's picture
// instead would make its next drawing copy the whole of it into fresh memory, every frame.
void KeepPixels(const QImage& picture, QImage& kept) {
    if (kept.size() != picture.size() || kept.format() != picture.format()) {
        kept = QImage(picture.size(), picture.format());
    }
    const auto lineBytes = static_cast<std::size_t>(picture.bytesPerLine());
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(kept.scanLine(y), picture.constScanLine(y), lineBytes);
    }
}

}  // namespace

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
        KeepPixels(preview.Image(), pending);
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
