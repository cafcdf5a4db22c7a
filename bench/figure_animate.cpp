// `lumera-cli animate` of the full table next to its floor: giflib alone encoding the very
// frames lumera-cli wrote, already indexed and cut to their rectangles.
#include "figure_support.h"

namespace {

using namespace lumera::bench;

std::optional<fs::path> FullTable() {
    const fs::path table = FixtureDirectory() / "full-english.led";
    return Fixture(table.filename(), TableArguments(table, true, 32));
}

void BM_Animate(benchmark::State& state) {
    const auto table = FullTable();
    if (!table) {
        state.SkipWithError("cannot make the table");
        return;
    }
    const fs::path out = FixtureDirectory() / "animate-out.gif";
    TimeChildCpu(state, {(MeasuredPrograms() / "lumera-cli").string(), "animate", table->string(),
                         "-o", out.string()});
}
BENCHMARK(BM_Animate)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AnimateFloor(benchmark::State& state) {
    const auto table = FullTable();
    const std::string cli = (MeasuredPrograms() / "lumera-cli").string();
    const std::string floor = FloorProgram("floor_gif").string();
    const fs::path gif = FixtureDirectory() / "animation.gif";
    const fs::path frames = FixtureDirectory() / "animation.frames";
    if (!table || !Fixture(gif.filename(), {cli, "animate", table->string(), "-o", gif.string()}) ||
        !Fixture(frames.filename(), {floor, "--frames-of", gif.string(), frames.string()})) {
        state.SkipWithError("cannot make the frames");
        return;
    }
    const fs::path out = FixtureDirectory() / "floor-out.gif";
    TimeChildCpu(state, {floor, frames.string(), out.string()});
}
BENCHMARK(BM_AnimateFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
