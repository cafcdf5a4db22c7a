#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "glyph_table_dir.h"
#include "render/preview_effects.h"

namespace lumera {
namespace {

using testing::LitRows;
using testing::LitRuns;

// One effect, tick by tick, on a text of `rows` x `width`. Before each step the text's rows
// are lit on the whole turn, as the conversion would, so each frame shows what was blanked.
// Returns the completing tick (0: none in 1000 ticks); `check` sees every other tick.
int RunEffect(bool opening, int option, int rows, int width, EffectState& state, DotRows& dots,
              const std::function<void(int tick)>& check, EffectProgress expected) {
    for (int tick = 1; tick <= 1000; ++tick) {
        for (int row = 0; row < kDotRowCount; ++row) {
            dots[row].fill(row < rows ? 1 : 0);
        }
        const EffectProgress progress =
            opening ? StepOpening(OpenEffectFromNumber(option), rows, width, state, dots)
                    : StepClosing(CloseEffectFromNumber(option), rows, width, state, dots);
        if (progress != EffectProgress::Running) {
            EXPECT_EQ(progress, expected);
            EXPECT_EQ(state.step, 0);
            return tick;
        }
        check(tick);
    }
    return 0;
}

// Runs of lit columns when these column ranges are lit.
std::string Shown(std::vector<std::pair<int, int>> ranges) {
    DotRows dots{};
    for (const auto& [from, to] : ranges) {
        for (int column = std::max(from, 0); column <= to; ++column) {
            dots[0][column] = 1;
        }
    }
    return LitRuns(dots, 0);
}

TEST(PreviewEffectsTest, ColumnEffectsMoveTenOrElevenColumnsATick) {
    using Ranges = std::vector<std::pair<int, int>>;
    struct Case {
        bool opening;
        int option, width, ticks, perTick;
        std::function<Ranges(int s, int w)> lit;  // once the step is at s
    };
    const std::vector<Case> cases = {
        {true, 0, 240, 25, 10,
         [](int s, int w) {
             return Ranges{{0, s - 1}, {w, 1799}};
         }},
        {true, 1, 240, 25, 10,
         [](int s, int w) {
             return Ranges{{w - s, 1799}};
         }},
        {true, 4, 450, 23, 10,
         [](int s, int w) {
             return Ranges{{w / 2 - s + 1, w / 2 + s - 1}, {w, 1799}};
         }},
        {true, 5, 240, 13, 10,
         [](int s, int w) {
             return Ranges{{0, s - 1}, {w - s + 1, 1799}};
         }},
        {false, 0, 240, 25, 10,
         [](int s, int w) {
             return Ranges{{0, w - s}, {w, 1799}};
         }},
        {false, 1, 240, 25, 10,
         [](int s, int) {
             return Ranges{{s, 1799}};
         }},
        {false, 4, 660, 31, 11,
         [](int s, int w) {
             return Ranges{{s + 1, w - s - 1}, {w, 1799}};
         }},
        // S = 330 on tick 30 blanks 0..660 and not below column 0.
        {false, 5, 660, 31, 11,
         [](int s, int w) {
             return Ranges{{0, w / 2 - s - 1}, {w / 2 + s + 1, 1799}};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.opening ? "opening " : "closing ") + std::to_string(c.option));
        EffectState state{0, kSectionStartTick, 0};
        DotRows dots;
        const auto check = [&](int tick) {
            ASSERT_EQ(state.step, c.perTick * tick);
            ASSERT_EQ(LitRuns(dots, 0), Shown(c.lit(state.step, c.width))) << tick;
            ASSERT_EQ(LitRuns(dots, 15), LitRuns(dots, 0));
        };
        const auto done = c.opening ? EffectProgress::DoneWithHold : EffectProgress::Done;
        EXPECT_EQ(RunEffect(c.opening, c.option, 16, c.width, state, dots, check, done), c.ticks);
        EXPECT_EQ(LitRuns(dots, 0), "0-1799") << "the completing tick blanks nothing";
    }
}

TEST(PreviewEffectsTest, RowEffectsMoveOneRowEverySeventhTick) {
    const std::string all = "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0";
    const std::string allButRow0 = all.substr(0, all.size() - 2);
    struct Case {
        bool opening;
        int option, rows, startTick, ticks;  // the timer starts at 0 after a row opening
        std::map<int, std::string> rowsAfter;
    };
    const std::vector<Case> cases = {
        {true, 2, 16, 5, 114, {{1, ""}, {2, "15"}, {8, "15"}, {9, "15 14"}, {107, all}}},
        {true, 2, 8, 5, 58, {{2, "7"}, {51, "7 6 5 4 3 2 1 0"}}},
        {true, 3, 8, 5, 58, {{1, ""}, {2, "0"}, {9, "1 0"}}},
        {false, 2, 16, 5, 107, {{1, all}, {2, allButRow0}, {106, "15"}}},
        {false, 2, 16, 0, 112, {{6, all}, {7, allButRow0}}},
        {false, 3, 8, 5, 51, {{2, "6 5 4 3 2 1 0"}, {44, "0"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.opening ? "opening " : "closing ") + std::to_string(c.option));
        EffectState state{0, static_cast<std::uint16_t>(c.startTick), 0};
        DotRows dots;
        const auto check = [&](int tick) {
            if (c.rowsAfter.count(tick)) {
                EXPECT_EQ(LitRows(dots, 240), c.rowsAfter.at(tick)) << tick;
            }
        };
        const auto done = c.opening ? EffectProgress::DoneWithHold : EffectProgress::Done;
        EXPECT_EQ(RunEffect(c.opening, c.option, c.rows, 240, state, dots, check, done), c.ticks);
        EXPECT_EQ(state.tick, 0) << "the next phase's timer starts from here";
    }
}

TEST(PreviewEffectsTest, TimedEffectsAndRotations) {
    struct Case {
        bool opening;
        int option, startAngle, ticks;
        std::map<int, int> angleAfter;
    };
    const std::vector<Case> cases = {
        {true, 6, 100, 101, {{100, 100}}},
        {true, 7, 261, 180, {{1, 259}, {130, 1}, {131, 359}, {132, 357}}},
        {true, 8, 261, 180, {{49, 359}, {50, 1}, {51, 3}}},
        {true, 7, 246, 180, {{122, 2}, {123, 360}, {124, 358}}},
        {true, 8, 246, 180, {{1, 248}, {56, 358}, {57, 0}, {58, 2}}},
        {false, 6, 100, 1, {}},
        {true, 9, 100, 0, {}},  // no such effect: the phase never ends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.opening ? "opening " : "closing ") + std::to_string(c.option));
        EffectState state{0, kSectionStartTick, c.startAngle};
        DotRows dots;
        const auto check = [&](int tick) {
            if (c.angleAfter.count(tick)) {
                EXPECT_EQ(state.textAngle, c.angleAfter.at(tick)) << tick;
            }
            EXPECT_EQ(LitRuns(dots, 0), "0-1799");
        };
        EXPECT_EQ(RunEffect(c.opening, c.option, 16, 240, state, dots, check, EffectProgress::Done),
                  c.ticks);
        EXPECT_EQ(state.textAngle, c.startAngle) << "a full turn ends where it began";
    }
}

}  // namespace
}  // namespace lumera
