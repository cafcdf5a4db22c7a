// `lumera-cli show` and `check` of a Chinese message file next to their floor: a Qt program
// that reads the file and prints it; and `show` of an English file, which a Chinese one
// should cost no more than.
#include "figure_support.h"

namespace {

using namespace lumera::bench;

// As many sections of each mode: as many as Chinese ones of the longest text still fit.
constexpr int kSections = 5;

std::optional<fs::path> Table(bool english) {
    const fs::path table = FixtureDirectory() / (english ? "english.led" : "chinese.led");
    return Fixture(table.filename(), TableArguments(table, english, kSections));
}

void RunCli(benchmark::State& state, const char* command, bool english = false) {
    const auto table = Table(english);
    if (!table) {
        state.SkipWithError("cannot make the table");
        return;
    }
    TimeChildCpu(state, {(MeasuredPrograms() / "lumera-cli").string(), command, table->string()});
}

void BM_ShowChinese(benchmark::State& state) {
    RunCli(state, "show");
}
BENCHMARK(BM_ShowChinese)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CheckChinese(benchmark::State& state) {
    RunCli(state, "check");
}
BENCHMARK(BM_CheckChinese)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ShowEnglish(benchmark::State& state) {
    RunCli(state, "show", true);
}
BENCHMARK(BM_ShowEnglish)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadFloor(benchmark::State& state) {
    const auto table = Table(false);
    if (!table) {
        state.SkipWithError("cannot make the table");
        return;
    }
    TimeChildCpu(state, {FloorProgram("floor_read").string(), table->string()});
}
BENCHMARK(BM_ReadFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
