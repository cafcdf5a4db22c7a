#include <gtest/gtest.h>

#include "glyph_table_dir.h"
#include "outside/glyph_support.h"
#include "render/preview_engine.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using testing::LitRows;

constexpr char kTwoCharacters[] = "\xB0\xA1\xB0\xA1";  // 4 units, 240 columns

class PreviewEngineTest : public ::testing::Test {
protected:
    PreviewEngineTest() { dir_.WriteFullyLitTables(); }

    void Put(int index, const std::string& text, int open, int close) {
        table_.SetText(index, text);
        table_.SelectOpenOption(index, OpenEffectFromNumber(open).value());
        table_.SelectCloseOption(index, CloseEffectFromNumber(close).value());
    }
    // Ticks until one asks for a hold of 1000 ms: how many it took (0: none in 1000).
    int TicksUntilHold() {
        for (int tick = 1; tick <= 1000; ++tick) {
            const PreviewOutcome outcome = engine_.Timer1Timer();
            if (outcome.holdMilliseconds > 0) {
                EXPECT_EQ(outcome.holdMilliseconds, 1000);
                return tick;
            }
            EXPECT_EQ(outcome.show, PreviewShow::Frame);
        }
        return 0;
    }
    // The dots of the current cells with no effect applied.
    DotRows Unmasked() const {
        DotRows dots{};
        engine_.EnglishMode() ? _EngDataConvert(engine_.GlyphCells(), dots)
                              : _CNDataConvert(engine_.GlyphCells(), dots);
        return dots;
    }

    testing::GlyphTableDir dir_;
    testing::ScriptedPrompter prompter_;
    MessageTable table_;
    PreviewEngine engine_{table_, {dir_.path(), prompter_}};
};

TEST_F(PreviewEngineTest, SearchFindsTheNextShowableRowAndWraps) {
    struct Case {
        std::vector<std::string> texts;  // the rows in use
        int currentSection;
        std::vector<std::string> played;  // empty: Start finds nothing
    };
    const std::vector<Case> cases = {
        {{"  ", "", "C"}, 2, {"C", "C", "C"}},
        {{"", "B", "  "}, 5, {"B", "B"}},  // current beyond the rows in use
        {{"A", "B", "C"}, 1, {"B", "C", "A", "B"}},
        {{" ", "   "}, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<SectionContent> sections;
        for (const std::string& text : c.texts) {
            sections.push_back(
                {text, OpenEffectFromNumber(6).value(), CloseEffectFromNumber(6).value()});
        }
        table_.Load(table_.EnglishMode(), sections);
        table_.SetCurrentSection(c.currentSection);
        EXPECT_EQ(engine_.Start(), !c.played.empty());
        EXPECT_EQ(engine_.PreviewRunning(), !c.played.empty());
        for (const std::string& text : c.played) {
            EXPECT_EQ(engine_.PreviewText(), text);
            ASSERT_EQ(TicksUntilHold(), 102);  // all display 101 ticks, then all extinguishes
            EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
        }
    }
}

TEST_F(PreviewEngineTest, HoldsPauseTheTickWhichEndsWhenResumed) {
    table_.Reset(false);
    Put(0, kTwoCharacters, 0, 6);
    ASSERT_TRUE(engine_.Start());
    EXPECT_EQ(engine_.TextColumns(), 240);
    EXPECT_EQ(engine_.TextAngle(), 246);
    ASSERT_EQ(TicksUntilHold(), 25);  // S = 250 completes, before the frame is drawn
    for (int tick = 0; tick < 20; ++tick) {
        EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Unchanged);
    }
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
    EXPECT_EQ(engine_.Dots(), Unmasked()) << "the whole text after the opening hold";
    EXPECT_NE(LitRows(engine_.Dots()), "");
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Unchanged) << "a stale resume";

    // Closing 6: grey, the pause, then the next section loaded with every LED off.
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Grey);
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
    EXPECT_FALSE(engine_.OpenPhaseDone());
    EXPECT_EQ(LitRows(engine_.Dots()), "");

    // Stop in the middle of a hold ends it at once.
    ASSERT_EQ(TicksUntilHold(), 25);
    engine_.Stop();
    EXPECT_FALSE(engine_.Holding());
    EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Unchanged);
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Unchanged);
    ASSERT_TRUE(engine_.Start());
    EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Frame);
}

TEST_F(PreviewEngineTest, RowTimerRunsOnFromTheOpeningIntoTheClosing) {
    table_.Reset(false);
    Put(0, kTwoCharacters, 2, 2);
    ASSERT_TRUE(engine_.Start());
    ASSERT_EQ(TicksUntilHold(), 114);
    engine_.ResumeAfterHold();
    for (int tick = 1; tick <= 7; ++tick) {
        engine_.Timer1Timer();
        EXPECT_EQ(LitRows(engine_.Dots(), 240).find(" 0"), tick < 7 ? 35u : std::string::npos);
    }
}

TEST_F(PreviewEngineTest, WithNothingLeftToShowEveryTickPausesAndSearchesAgain) {
    Put(0, "HI", 6, 6);
    ASSERT_TRUE(engine_.Start());
    EXPECT_EQ(engine_.TextAngle(), 270 - 18);
    table_.SetText(0, "  ");
    ASSERT_EQ(TicksUntilHold(), 102);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(engine_.ResumeAfterHold().show, PreviewShow::Frame);
        EXPECT_EQ(engine_.Dots(), Unmasked()) << "the last section's text stays on show";
        EXPECT_EQ(engine_.Timer1Timer().show, PreviewShow::Grey);
    }
    table_.SetText(0, "BACK");
    engine_.ResumeAfterHold();
    EXPECT_EQ(engine_.PreviewText(), "BACK");

    for (const int expected : {1, 2, 3, 0}) {
        engine_.NextColor();
        EXPECT_EQ(engine_.LedColor(), expected);
    }
}

}  // namespace
}  // namespace lumera
