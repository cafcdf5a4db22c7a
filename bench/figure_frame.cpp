// `lumera-cli frame` (one PNG after 40 ticks) next to its floor: a Qt program writing the
// same 160 x 187 picture as a PNG.
#include "figure_support.h"

namespace {

using namespace lumera::bench;

std::vector<std::string> FrameArguments(const fs::path& table, const fs::path& out) {
    return {(MeasuredPrograms() / "lumera-cli").string(),
            "frame",
            table.string(),
            "--tick",
            "40",
            "-o",
            out.string()};
}

std::optional<fs::path> FullTable() {
    const fs::path table = FixtureDirectory() / "full-english.led";
    return Fixture(table.filename(), TableArguments(table, true, 32));
}

void BM_Frame(benchmark::State& state) {
    const auto table = FullTable();
    if (!table) {
        state.SkipWithError("cannot make the table");
        return;
    }
    TimeChildCpu(state, FrameArguments(*table, FixtureDirectory() / "frame-out.png"));
}
BENCHMARK(BM_Frame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FrameFloor(benchmark::State& state) {
    const auto table = FullTable();
    const std::string floor = FloorProgram("floor_png").string();
    const fs::path png = FixtureDirectory() / "frame.png";
    const fs::path pixels = FixtureDirectory() / "frame.pixels";
    if (!table || !Fixture(png.filename(), FrameArguments(*table, png)) ||
        !Fixture(pixels.filename(), {floor, "--pixels-of", png.string(), pixels.string()})) {
        state.SkipWithError("cannot make the picture");
        return;
    }
    TimeChildCpu(state, {floor, pixels.string(), (FixtureDirectory() / "floor-out.png").string()});
}
BENCHMARK(BM_FrameFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
