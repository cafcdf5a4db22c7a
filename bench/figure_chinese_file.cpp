// `lumera-cli show` and `check` of a full Chinese message file next to their floor: a Qt
// program that reads the file and prints it.
#include "figure_support.h"

namespace {

using namespace lumera::bench;

std::optional<fs::path> ChineseTable() {
    const fs::path table = FixtureDirectory() / "full-chinese.led";
    return Fixture(table.filename(), FullTableArguments(table, false));
}

void RunCli(benchmark::State& state, const char* command) {
    const auto table = ChineseTable();
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

void BM_ReadFloor(benchmark::State& state) {
    const auto table = ChineseTable();
    if (!table) {
        state.SkipWithError("cannot make the table");
        return;
    }
    TimeChildCpu(state, {FloorProgram("floor_read").string(), table->string()});
}
BENCHMARK(BM_ReadFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
