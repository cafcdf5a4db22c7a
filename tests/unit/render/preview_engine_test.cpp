#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/outside/glyph_support.h"
#include "dot_runs.h"
#include "glyph_table_dir.h"
#include "render/preview_engine.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using testing::LitRows;

// Two double-byte characters: 4 units, 240 columns.
constexpr char kTwoCharacters[] = "\xB0\xA1\xB0\xA1";

class PreviewEngineTest : public ::testing::Test {
protected:
    PreviewEngineTest() { dir_.WriteFullyLitTables(); }

    void Put(int index, const std::string& text, int open, int close) {
        table_.SetText(index, text);
        table_.SetOpenOption(index, open);
        table_.SetCloseOption(index, close);
    }

    // Ticks until one reports a hold; returns how many ticks that took (0: none in `limit`).
    int TicksUntilHold(int limit = 1000) {
        for (int tick = 1; tick <= limit; ++tick) {
            const PreviewOutcome outcome = engine_.Timer1Timer();
            if (outcome.holdMilliseconds > 0) {
                EXPECT_EQ(outcome.holdMilliseconds, 1000);
                return tick;
            }
            EXPECT_EQ(outcome.show, PreviewShow::Frame) << tick;
        }
        return 0;
    }

    // The dots the conversion gives the current cells, before any effect.
    DotRows Unmasked() const {
        DotRows dots{};
        if (engine_.EnglishMode()) {
            _EngDataConvert(engine_.GlyphCells(), dots);
        } else {
            _CNDataConvert(engine_.GlyphCells(), dots);
        }
        return dots;
    }

    testing::GlyphTableDir dir_;
    testing::ScriptedPrompter prompter_;
    MessageTable table_;
    PreviewEngine engine_{table_, {dir_.path(), prompter_}};
};

TEST_F(PreviewEngineTest, StartCentresTheSectionOn270Degrees) {
    struct Case {
        bool english;
        std::string text;
        int columns;
        int angle;
    };
    for (const Case& c : {Case{false, kTwoCharacters, 240, 246}, Case{true, "HELLO", 450, 225},
                          Case{false,
                               "\x01"
                               "ab",
                               240, 246}}) {
        SCOPED_TRACE(c.text);
        table_.Reset(c.english);
        Put(0, c.text, 0, 0);
        ASSERT_TRUE(engine_.BtnStartClick());
        EXPECT_TRUE(engine_.PreviewRunning());
        EXPECT_TRUE(engine_.FrameReady());
        EXPECT_EQ(engine_.TextColumns(), c.columns);
        EXPECT_EQ(engine_.TextRows(), c.english ? 8 : 16);
        EXPECT_EQ(engine_.TextAngle(), c.angle);
        EXPECT_EQ(engine_.EffectTick(), 5);
        EXPECT_EQ(engine_.NextPreviewSection(), 1u);
        EXPECT_EQ(LitRows(engine_.Dots()), "") << "a load clears the dots";
    }
    EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(PreviewEngineTest, TheSearchWrapsToRowZeroAndSkipsBlankTexts) {
    struct Case {
        const char* name;
        std::vector<std::string> texts;  // rows 0.. in use
        int currentSection;
        bool starts;
        std::vector<std::string> played;  // PreviewText of the first sections played
    };
    const std::vector<Case> cases = {
        {"only row 2 showable", {"  ", "", "C"}, 2, true, {"C", "C", "C"}},
        {"current beyond the used rows", {"", "B", "  "}, 5, true, {"B", "B"}},
        {"round the table", {"A", "B", "C"}, 1, true, {"B", "C", "A", "B"}},
        {"nothing showable", {" ", "   "}, 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.Clear();
        for (std::size_t row = 0; row < c.texts.size(); ++row) {
            Put(static_cast<int>(row), c.texts[row], 6, 6);
        }
        table_.SetSectionCount(static_cast<int>(c.texts.size()));
        table_.SetCurrentSection(c.currentSection);
        ASSERT_EQ(engine_.BtnStartClick(), c.starts);
        EXPECT_EQ(engine_.PreviewRunning(), c.starts);
        for (std::size_t i = 0; i < c.played.size(); ++i) {
            EXPECT_EQ(engine_.PreviewText(), c.played[i]) << i;
            // All display for 101 ticks, then all extinguishes and the pause.
            ASSERT_EQ(TicksUntilHold(), 102);
            EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
        }
    }
}

TEST_F(PreviewEngineTest, OpeningHoldPausesTheTickAndThenShowsTheWholeText) {
    table_.Reset(false);
    Put(0, kTwoCharacters, 0, 6);
    ASSERT_TRUE(engine_.BtnStartClick());
    // S = 10 .. 240 draw frames; S = 250 completes and holds before drawing.
    ASSERT_EQ(TicksUntilHold(), 25);
    EXPECT_TRUE(engine_.Holding());
    EXPECT_TRUE(engine_.OpenPhaseDone());
    for (int tick = 0; tick < 20; ++tick) {
        EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Unchanged);
    }
    EXPECT_EQ(engine_.EffectStep(), 0);
    EXPECT_FALSE(engine_.ClosePhaseDone());

    const PreviewOutcome resumed = engine_.ResumeAfterHold();
    EXPECT_EQ(resumed.show, PreviewShow::Frame);
    EXPECT_EQ(resumed.holdMilliseconds, 0);
    EXPECT_EQ(engine_.Dots(), Unmasked());
    EXPECT_NE(LitRows(engine_.Dots()), "");
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Unchanged) << "a stale resume";

    // Closing 6 ends on its first tick: grey, the pause, then the next section's first
    // frame with every LED off.
    const PreviewOutcome closing = engine_.Timer1Timer();
    EXPECT_EQ(closing.show, PreviewShow::Grey);
    EXPECT_EQ(closing.holdMilliseconds, 1000);
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
    EXPECT_FALSE(engine_.OpenPhaseDone());
    EXPECT_EQ(LitRows(engine_.Dots()), "");
    EXPECT_EQ(engine_.TextAngle(), 246);
}

TEST_F(PreviewEngineTest, RowTimerRunsOnFromTheOpeningIntoTheClosing) {
    table_.Reset(false);
    Put(0, kTwoCharacters, 2, 2);
    ASSERT_TRUE(engine_.BtnStartClick());
    ASSERT_EQ(TicksUntilHold(), 114);
    EXPECT_EQ(engine_.EffectTick(), 0);
    engine_.ResumeAfterHold();
    const std::string allRows = "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0";
    for (int tick = 1; tick <= 6; ++tick) {
        engine_.Timer1Timer();
        EXPECT_EQ(LitRows(engine_.Dots(), 240), allRows) << tick;
    }
    engine_.Timer1Timer();
    EXPECT_EQ(LitRows(engine_.Dots(), 240), "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1");
}

TEST_F(PreviewEngineTest, StopDuringAHoldEndsItAtOnce) {
    table_.Reset(true);
    Put(0, "HELLO", 0, 6);
    ASSERT_TRUE(engine_.BtnStartClick());
    ASSERT_GT(TicksUntilHold(), 0);
    engine_.BtnStopClick();
    EXPECT_FALSE(engine_.PreviewRunning());
    EXPECT_FALSE(engine_.Holding());
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Unchanged);
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Unchanged);

    ASSERT_TRUE(engine_.BtnStartClick());
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Frame);
    EXPECT_EQ(engine_.EffectStep(), 10);
}

TEST_F(PreviewEngineTest, WithNothingLeftToShowEveryTickPausesAndSearchesAgain) {
    table_.Reset(true);
    Put(0, "HI", 6, 6);
    ASSERT_TRUE(engine_.BtnStartClick());
    table_.SetText(0, "  ");
    ASSERT_EQ(TicksUntilHold(), 102);
    for (int round = 0; round < 3; ++round) {
        // The failed search leaves the last section's text on show, unmasked.
        EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
        EXPECT_TRUE(engine_.ClosePhaseDone());
        EXPECT_EQ(engine_.Dots(), Unmasked());
        EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Grey);
    }
    table_.SetText(0, "BACK");
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
    EXPECT_EQ(engine_.PreviewText(), "BACK");
    EXPECT_FALSE(engine_.ClosePhaseDone());
}

TEST_F(PreviewEngineTest, ColourCyclesThroughFourAndAStoppedPreviewDrawsNothing) {
    std::vector<int> colours;
    for (int click = 0; click < 5; ++click) {
        engine_.BtnColorClick();
        colours.push_back(engine_.LedColor());
    }
    EXPECT_EQ(colours, (std::vector<int>{1, 2, 3, 0, 1}));
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Unchanged);
}

}  // namespace
}  // namespace lumera
