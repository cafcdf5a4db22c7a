#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dot_runs.h"
#include "render/preview_effects.h"

namespace lumera {
namespace {

using testing::LitRows;
using testing::LitRuns;

constexpr int kChineseRows = 16;
constexpr int kEnglishRows = 8;

// One section's effect, tick by tick. Before every step the text's rows are lit across
// the whole turn, so each frame shows exactly what the step blanked.
struct EffectRun {
    int rows;
    int width;
    EffectState state{0, kSectionStartTick, 0};
    DotRows dots{};

    EffectProgress Open(int option) {
        Relight();
        return StepOpening(option, rows, width, state, dots);
    }
    EffectProgress Close(int option) {
        Relight();
        return StepClosing(option, rows, width, state, dots);
    }
    void Relight() {
        for (int row = 0; row < kDotRowCount; ++row) {
            dots[row].fill(row < rows ? 1 : 0);
        }
    }
    // Ticks of `option` until it completes; the tick count, or 0 after `limit` ticks.
    int TicksToComplete(bool opening, int option, int limit = 1000) {
        for (int tick = 1; tick <= limit; ++tick) {
            if ((opening ? Open(option) : Close(option)) != EffectProgress::Running) {
                return tick;
            }
        }
        return 0;
    }
};

using Ranges = std::vector<std::pair<int, int>>;

// The runs a row shows when exactly these column ranges are lit (empty ranges allowed).
std::string Shown(const Ranges& ranges) {
    DotRows dots{};
    for (const auto& [from, to] : ranges) {
        for (int column = from; column <= to; ++column) {
            dots[0][column] = 1;
        }
    }
    return LitRuns(dots, 0);
}

TEST(PreviewEffectsTest, ColumnEffectsRevealAndHideTenOrElevenColumnsATick) {
    struct Case {
        const char* name;
        bool opening;
        int option;
        int width;
        int completingTick;
        // Lit runs of a row after the tick that left the step at S.
        std::function<Ranges(int s, int w)> shown;
    };
    const std::vector<Case> cases = {
        {"open 0", true, 0, 240, 25,
         [](int s, int w) {
             return Ranges{{0, s - 1}, {w, 1799}};
         }},
        {"open 1", true, 1, 240, 25,
         [](int s, int w) {
             return Ranges{{w - s, 1799}};
         }},
        {"open 4", true, 4, 450, 23,
         [](int s, int w) {
             return Ranges{{w / 2 - s + 1, w / 2 + s - 1}, {w, 1799}};
         }},
        {"open 5", true, 5, 240, 13,
         [](int s, int w) {
             return Ranges{{0, s - 1}, {w - s + 1, 1799}};
         }},
        {"close 0", false, 0, 240, 25,
         [](int s, int w) {
             return Ranges{{0, w - s}, {w, 1799}};
         }},
        {"close 1", false, 1, 240, 25,
         [](int s, int) {
             return Ranges{{s, 1799}};
         }},
        {"close 4", false, 4, 660, 31,
         [](int s, int w) {
             return Ranges{{s + 1, w - s - 1}, {w, 1799}};
         }},
        // Blanks W/2 - S .. W/2 + S, which reaches column 0 on its last step.
        {"close 5", false, 5, 660, 31,
         [](int s, int w) {
             return Ranges{{0, w / 2 - s - 1}, {w / 2 + s + 1, 1799}};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EffectRun run{kChineseRows, c.width};
        const int perTick = c.opening || c.option < 4 ? 10 : 11;
        for (int tick = 1; tick < c.completingTick; ++tick) {
            ASSERT_EQ(c.opening ? run.Open(c.option) : run.Close(c.option), EffectProgress::Running)
                << tick;
            ASSERT_EQ(run.state.step, perTick * tick);
            ASSERT_EQ(LitRuns(run.dots, 0), Shown(c.shown(run.state.step, c.width))) << tick;
            ASSERT_EQ(LitRuns(run.dots, 15), LitRuns(run.dots, 0));
        }
        const EffectProgress last = c.opening ? run.Open(c.option) : run.Close(c.option);
        EXPECT_EQ(last, c.opening ? EffectProgress::DoneWithHold : EffectProgress::Done);
        EXPECT_EQ(run.state.step, 0);
        EXPECT_EQ(LitRuns(run.dots, 0), "0-1799") << "the completing tick blanks nothing";
    }
}

TEST(PreviewEffectsTest, RowEffectsAdvanceOneRowEverySeventhTick) {
    struct Case {
        const char* name;
        bool opening;
        int option;
        int rows;
        std::uint16_t startTick;
        std::vector<std::pair<int, std::string>> shownAfterTick;
        int completingTick;
    };
    const std::vector<Case> cases = {
        {"open 2 Chinese",
         true,
         2,
         kChineseRows,
         kSectionStartTick,
         {{1, ""},
          {2, "15"},
          {8, "15"},
          {9, "15 14"},
          {100, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1"},
          {107, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0"}},
         114},
        {"open 2 English",
         true,
         2,
         kEnglishRows,
         kSectionStartTick,
         {{1, ""}, {2, "7"}, {44, "7 6 5 4 3 2 1"}, {51, "7 6 5 4 3 2 1 0"}},
         58},
        {"open 3 English",
         true,
         3,
         kEnglishRows,
         kSectionStartTick,
         {{1, ""}, {2, "0"}, {9, "1 0"}},
         58},
        {"close 2 Chinese",
         false,
         2,
         kChineseRows,
         kSectionStartTick,
         {{1, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0"},
          {2, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1"},
          {100, "15"},
          {106, "15"}},
         107},
        // After a row opening the timer stands at 0: the first row goes on the 7th tick.
        {"close 2 after a row opening",
         false,
         2,
         kChineseRows,
         0,
         {{6, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0"}, {7, "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1"}},
         112},
        {"close 3 English",
         false,
         3,
         kEnglishRows,
         kSectionStartTick,
         {{2, "6 5 4 3 2 1 0"}, {44, "0"}},
         51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EffectRun run{c.rows, 240};
        run.state.tick = c.startTick;
        std::size_t next = 0;
        for (int tick = 1; tick < c.completingTick; ++tick) {
            ASSERT_EQ(c.opening ? run.Open(c.option) : run.Close(c.option), EffectProgress::Running)
                << tick;
            if (next < c.shownAfterTick.size() && c.shownAfterTick[next].first == tick) {
                EXPECT_EQ(LitRows(run.dots, run.width), c.shownAfterTick[next].second) << tick;
                ++next;
            }
        }
        EXPECT_EQ(next, c.shownAfterTick.size());
        EXPECT_EQ(c.opening ? run.Open(c.option) : run.Close(c.option),
                  c.opening ? EffectProgress::DoneWithHold : EffectProgress::Done);
        EXPECT_EQ(run.state.tick, 0);
        EXPECT_EQ(run.state.step, 0);
    }
}

TEST(PreviewEffectsTest, OpeningThreeBlanksItsRowsAcrossTheWholeTurn) {
    EffectRun run{kEnglishRows, 90};
    run.Open(3);
    run.Open(3);
    EXPECT_EQ(LitRuns(run.dots, 0), "0-1799");
    EXPECT_EQ(LitRuns(run.dots, 1), "");
}

TEST(PreviewEffectsTest, TimedEffectsCompleteWithoutAHold) {
    struct Case {
        const char* name;
        bool opening;
        int option;
        int ticks;
    };
    for (const Case& c :
         {Case{"all display", true, 6, 101}, Case{"contra rotation", true, 7, 180},
          Case{"clockwise rotation", true, 8, 180}, Case{"all extinguishes", false, 6, 1}}) {
        SCOPED_TRACE(c.name);
        EffectRun run{kChineseRows, 240};
        for (int tick = 1; tick < c.ticks; ++tick) {
            ASSERT_EQ(c.opening ? run.Open(c.option) : run.Close(c.option),
                      EffectProgress::Running);
            ASSERT_EQ(LitRuns(run.dots, 0), "0-1799");
        }
        EXPECT_EQ(c.opening ? run.Open(c.option) : run.Close(c.option), EffectProgress::Done);
        EXPECT_EQ(run.state.step, 0);
    }
}

TEST(PreviewEffectsTest, RotationsTurnTwoDegreesATickAndWrap) {
    struct Case {
        int option;
        int startAngle;
        std::vector<std::pair<int, int>> angleAfterTick;
    };
    for (const Case& c : {Case{7, 261, {{1, 259}, {130, 1}, {131, 360}, {132, 358}, {180, 262}}},
                          Case{8, 246, {{1, 248}, {56, 358}, {57, 0}, {58, 2}, {180, 246}}}}) {
        SCOPED_TRACE(c.option);
        EffectRun run{kChineseRows, 240};
        run.state.textAngle = c.startAngle;
        std::size_t next = 0;
        for (int tick = 1; tick <= 180; ++tick) {
            run.Open(c.option);
            if (next < c.angleAfterTick.size() && c.angleAfterTick[next].first == tick) {
                EXPECT_EQ(run.state.textAngle, c.angleAfterTick[next].second) << tick;
                ++next;
            }
        }
        EXPECT_EQ(next, c.angleAfterTick.size());
    }
}

TEST(PreviewEffectsTest, OptionsOutsideTheEffectsNeverComplete) {
    EffectRun run{kChineseRows, 240};
    EXPECT_EQ(run.TicksToComplete(true, 9), 0);
    EXPECT_EQ(run.TicksToComplete(true, 255), 0);
    EXPECT_EQ(run.TicksToComplete(false, 7), 0);
    EXPECT_EQ(LitRuns(run.dots, 0), "0-1799");
}

}  // namespace
}  // namespace lumera
