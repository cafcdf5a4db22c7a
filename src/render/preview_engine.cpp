#include "render/preview_engine.h"

#include <utility>

namespace lumera {
namespace {

constexpr int kCentreAngle = 270;
// 5 buffer columns a degree: a text of W columns spans W / 5 degrees, half of it W / 10.
constexpr int kColumnsPerHalfDegree = 10;
constexpr int kLedColorCount = 4;

}  // namespace

PreviewEngine::PreviewEngine(const MessageTable& table, GlyphTableFiles tables) {
    auto feed = std::make_unique<TableFeed>(table, std::move(tables));
    tableFeed_ = feed.get();
    feed_ = std::move(feed);
}

PreviewEngine::PreviewEngine(std::unique_ptr<SectionFeed> feed) : feed_(std::move(feed)) {}

const std::string& PreviewEngine::PreviewText() const {
    static const std::string none;
    return tableFeed_ ? tableFeed_->PreviewText() : none;
}

const Glyphs& PreviewEngine::GlyphCells() const {
    static const Glyphs none;
    return tableFeed_ ? tableFeed_->GlyphCells() : none;
}

bool PreviewEngine::Start() {
    previewRunning_ = false;
    pending_ = PendingHold::None;
    nextPreviewSection_ = static_cast<std::uint32_t>(feed_->CurrentSection());
    if (LoadNextSection()) {
        previewRunning_ = true;
        frameReady_ = true;
    }
    return previewRunning_;
}

void PreviewEngine::Stop() {
    previewRunning_ = false;
    if (pending_ != PendingHold::None) {
        // The held tick is dropped; it would only have drawn under the grey image.
        pending_ = PendingHold::None;
        frameReady_ = true;
    }
}

void PreviewEngine::NextColor() {
    ledColor_ = (ledColor_ + 1) % kLedColorCount;
}

bool PreviewEngine::LoadNextSection() {
    const auto sectionCount = static_cast<std::uint32_t>(feed_->SectionCount());
    std::uint32_t row = nextPreviewSection_ < sectionCount ? nextPreviewSection_ : 0;
    for (std::uint32_t examined = 0; examined < sectionCount; ++examined) {
        if (feed_->IsShowable(static_cast<int>(row))) {
            section_ = feed_->Load(static_cast<int>(row), dotRows_);
            openPhaseDone_ = false;
            closePhaseDone_ = false;
            effect_.step = 0;
            effect_.tick = kSectionStartTick;
            // Centred on 270 degrees.
            effect_.textAngle = kCentreAngle - section_.columns / kColumnsPerHalfDegree;
            playingSection_ = static_cast<int>(row);
            nextPreviewSection_ = row + 1;
            return true;
        }
        row = row + 1 < sectionCount ? row + 1 : 0;
    }
    return false;
}

PreviewOutcome PreviewEngine::Timer1Timer() {
    if (!previewRunning_ || !frameReady_) {
        return {};
    }
    frameReady_ = false;
    feed_->Convert(dotRows_);
    return StepEffect();
}

PreviewOutcome PreviewEngine::StepEffect() {
    const int rows = TextRows();
    const int columns = TextColumns();
    if (!openPhaseDone_) {
        const EffectProgress progress =
            StepOpening(section_.openEffect, rows, columns, effect_, dotRows_);
        openPhaseDone_ = progress != EffectProgress::Running;
        if (progress == EffectProgress::DoneWithHold) {
            pending_ = PendingHold::AfterOpening;
            return {PreviewShow::Unchanged, kPreviewHoldMilliseconds};
        }
    } else if (!closePhaseDone_) {
        closePhaseDone_ = StepClosing(section_.closeEffect, rows, columns, effect_, dotRows_) !=
                          EffectProgress::Running;
    }
    return BetweenSections();
}

PreviewOutcome PreviewEngine::BetweenSections() {
    if (!closePhaseDone_) {
        return FinishFrame();
    }
    pending_ = PendingHold::AfterClosing;
    return {PreviewShow::Grey, kPreviewHoldMilliseconds};
}

PreviewOutcome PreviewEngine::ResumeAfterHold() {
    const PendingHold pending = pending_;
    pending_ = PendingHold::None;
    switch (pending) {
        case PendingHold::AfterOpening:
            return BetweenSections();
        case PendingHold::AfterClosing:
            effect_.step = 0;
            LoadNextSection();
            return FinishFrame();
        case PendingHold::None:
            break;
    }
    return {};
}

PreviewOutcome PreviewEngine::FinishFrame() {
    frameReady_ = true;
    return {PreviewShow::Frame, 0};
}

}  // namespace lumera
