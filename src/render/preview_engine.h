#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "editing/message_table.h"
#include "outside/glyph_cell.h"
#include "render/glyph_tables.h"
#include "render/preview_effects.h"
#include "render/section_feed.h"
#include "render/table_feed.h"

namespace lumera {

// The timer that drives the preview everywhere it plays (window, Display window, recordings,
// cycle times), and the pause after an opening or closing effect.
constexpr int kPreviewTickMilliseconds = 50;
constexpr int kPreviewHoldMilliseconds = 1000;

// What the caller shows after a tick or after the end of a hold.
enum class PreviewShow {
    Unchanged,  // keep what is on show
    Frame,      // draw DotRows() at TextAngle() in LedColor(), EnglishMode()
    Grey,       // fill the image grey (between sections)
};

struct PreviewOutcome {
    PreviewShow show = PreviewShow::Unchanged;
    // Above 0: the tick is paused. Call ResumeAfterHold() once this time has passed; ticks
    // that arrive meanwhile do nothing.
    int holdMilliseconds = 0;
};

// The LED preview: plays the sections of the table one after the other, each with its
// opening effect, a hold, its closing effect and a pause, until stopped. Pure state: the
// caller drives it from a kPreviewTickMilliseconds timer, waits out the holds it reports and
// draws frames.
class PreviewEngine {
public:
    // Both must outlive the engine. The table is read when a section is loaded.
    PreviewEngine(const MessageTable& table, GlyphTableFiles tables);
    // Plays the sections of another feed, such as a download image.
    explicit PreviewEngine(std::unique_ptr<SectionFeed> feed);

    // Plays from the table's CurrentSection. Returns false, and stays stopped, when no
    // section in use is showable.
    bool Start();
    // Stops at once, also in the middle of a hold; the caller greys the image.
    void Stop();
    // The next of the four LED colours; the next frame shows it.
    void NextColor();

    // One tick of the timer: builds one frame while the preview runs.
    PreviewOutcome Timer1Timer();
    // The rest of a held tick; does nothing when no hold is pending.
    PreviewOutcome ResumeAfterHold();

    // Finds the next showable section from NextPreviewSection on (wrapping) and prepares
    // it. False, with nothing changed, when there is none.
    bool LoadNextSection();

    bool PreviewRunning() const { return previewRunning_; }
    bool Holding() const { return pending_ != PendingHold::None; }
    std::uint32_t NextPreviewSection() const { return nextPreviewSection_; }
    // The section on show (0-based) while the preview runs.
    std::optional<int> PlayingSection() const {
        return previewRunning_ ? std::optional<int>(playingSection_) : std::nullopt;
    }
    // The table's text and cells on show; empty when the engine plays another feed.
    const std::string& PreviewText() const;
    const Glyphs& GlyphCells() const;
    std::optional<OpenEffect> PreviewOpen() const { return section_.openEffect; }
    std::optional<CloseEffect> PreviewClose() const { return section_.closeEffect; }
    bool OpenPhaseDone() const { return openPhaseDone_; }
    std::uint16_t EffectStep() const { return effect_.step; }
    std::uint16_t EffectTick() const { return effect_.tick; }
    std::int32_t TextAngle() const { return effect_.textAngle; }
    std::int32_t LedColor() const { return ledColor_; }
    bool EnglishMode() const { return feed_->EnglishMode(); }
    const DotRows& Dots() const { return dotRows_; }

    // The text area of the section on show (for the table: 8 rows and 90 columns a byte in
    // English, 16 rows and 60 columns a unit in Chinese).
    int TextRows() const { return section_.rows; }
    int TextColumns() const { return section_.columns; }

private:
    enum class PendingHold { None, AfterOpening, AfterClosing };

    PreviewOutcome StepEffect();
    PreviewOutcome BetweenSections();
    PreviewOutcome FinishFrame();

    std::unique_ptr<SectionFeed> feed_;
    const TableFeed* tableFeed_ = nullptr;  // the feed, when it is the table's
    bool previewRunning_ = false;
    bool frameReady_ = false;
    std::uint32_t nextPreviewSection_ = 0;
    int playingSection_ = 0;
    FeedSection section_;
    bool openPhaseDone_ = false;
    bool closePhaseDone_ = false;
    EffectState effect_;
    std::int32_t ledColor_ = 0;
    DotRows dotRows_{};
    PendingHold pending_ = PendingHold::None;
};

}  // namespace lumera
