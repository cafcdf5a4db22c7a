#include "render/preview_engine.h"

#include <utility>

#include "editing/text_measures.h"
#include "outside/glyph_support.h"
#include "render/rasterise.h"

namespace lumera {
namespace {

constexpr int kEnglishTextRows = 8;
constexpr int kChineseTextRows = 16;
constexpr int kColumnsPerEnglishCharacter = 90;
constexpr int kColumnsPerUnit = 60;
constexpr int kCentreAngle = 270;
constexpr int kDegreesPerEnglishCharacterHalf = 9;
constexpr int kDegreesPerUnitHalf = 6;
constexpr int kLedColorCount = 4;

}  // namespace

PreviewEngine::PreviewEngine(const MessageTable& table, GlyphTableFiles tables)
    : table_(table), tables_(std::move(tables)) {}

bool PreviewEngine::BtnStartClick() {
    previewRunning_ = false;
    pending_ = PendingHold::None;
    nextPreviewSection_ = static_cast<std::uint32_t>(table_.CurrentSection());
    if (LoadNextSection()) {
        previewRunning_ = true;
        frameReady_ = true;
    }
    return previewRunning_;
}

void PreviewEngine::BtnStopClick() {
    previewRunning_ = false;
    if (pending_ != PendingHold::None) {
        // The held tick is dropped; it would only have drawn under the grey image.
        pending_ = PendingHold::None;
        frameReady_ = true;
    }
}

void PreviewEngine::BtnColorClick() {
    ledColor_ = (ledColor_ + 1) % kLedColorCount;
}

int PreviewEngine::TextRows() const {
    return EnglishMode() ? kEnglishTextRows : kChineseTextRows;
}

int PreviewEngine::TextColumns() const {
    return EnglishMode() ? kColumnsPerEnglishCharacter * TextByteLength(previewText_)
                         : kColumnsPerUnit * DisplayUnits(previewText_);
}

bool PreviewEngine::LoadNextSection() {
    const auto sectionCount = static_cast<std::uint32_t>(table_.SectionCount());
    std::uint32_t row = nextPreviewSection_ < sectionCount ? nextPreviewSection_ : 0;
    for (std::uint32_t examined = 0; examined < sectionCount; ++examined) {
        const Section& section = table_.section(static_cast<int>(row));
        if (IsShowable(section.text)) {
            previewText_ = section.text;
            previewOpen_ = static_cast<std::uint8_t>(section.openOption);
            previewClose_ = static_cast<std::uint8_t>(section.closeOption);
            openPhaseDone_ = false;
            closePhaseDone_ = false;
            effect_.step = 0;
            effect_.tick = kSectionStartTick;
            if (EnglishMode()) {
                RasteriseEnglish(previewText_, false, tables_, glyphs_, dotRows_);
                effect_.textAngle =
                    kCentreAngle - kDegreesPerEnglishCharacterHalf * TextByteLength(previewText_);
            } else {
                RasteriseChinese(previewText_, false, tables_, glyphs_, dotRows_);
                effect_.textAngle = kCentreAngle - kDegreesPerUnitHalf * DisplayUnits(previewText_);
            }
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
    if (EnglishMode()) {
        _EngDataConvert(glyphs_, dotRows_);
    } else {
        _CNDataConvert(glyphs_, dotRows_);
    }
    return StepEffect();
}

PreviewOutcome PreviewEngine::StepEffect() {
    const int rows = TextRows();
    const int columns = TextColumns();
    if (!openPhaseDone_) {
        const EffectProgress progress = StepOpening(previewOpen_, rows, columns, effect_, dotRows_);
        openPhaseDone_ = progress != EffectProgress::Running;
        if (progress == EffectProgress::DoneWithHold) {
            pending_ = PendingHold::AfterOpening;
            return {PreviewShow::Unchanged, kPreviewHoldMilliseconds};
        }
    } else if (!closePhaseDone_) {
        closePhaseDone_ =
            StepClosing(previewClose_, rows, columns, effect_, dotRows_) != EffectProgress::Running;
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
