// Single frames after many ticks, and a whole animation, of the example message file's
// table: stepping the preview costs little next to drawing it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "animation/preview_animation.h"
#include "download/stream_prompter.h"
#include "render/led_preview.h"

namespace {

using namespace lumera;

// The table of docs/example.led.
MessageTable ExampleTable() {
    const SectionContent sections[] = {
        {"WELCOME", OpenEffect::LeftToRight, CloseEffect::FromRightToLeft},
        {"LUMERA LED", OpenEffectFromNumber(4).value(), CloseEffectFromNumber(5).value()},
        {"OPEN 9AM-6PM", OpenEffectFromNumber(8).value(), CloseEffectFromNumber(3).value()},
        {"THANK YOU!", OpenEffectFromNumber(6).value(), CloseEffectFromNumber(6).value()},
    };
    MessageTable table;
    table.Load(true, sections);
    return table;
}

void BM_FrameAfterTicks(benchmark::State& state) {
    const MessageTable table = ExampleTable();
    download::StreamPrompter prompter(std::cerr);
    for (auto _ : state) {
        LedPreview preview(table, {LUMERA_BIN_DIR, prompter});
        preview.Start();
        preview.Advance(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(preview.Image().constBits());
    }
}
BENCHMARK(BM_FrameAfterTicks)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_AnimateExample(benchmark::State& state) {
    const MessageTable table = ExampleTable();
    download::StreamPrompter prompter(std::cerr);
    // A folder of this run's own: a fixed name in the shared temporary folder could be a
    // link someone planted, and the animation would be written where it leads.
    std::string folder = (std::filesystem::temp_directory_path() / "lumera-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot make a folder for the animation");
        return;
    }
    const auto out = std::filesystem::path(folder) / "animation.gif";
    for (auto _ : state) {
        LedPreview preview(
            table, {LUMERA_BIN_DIR, prompter},
            QSize(static_cast<int>(state.range(0)) * 160 / 187, static_cast<int>(state.range(0))));
        preview.Start();
        benchmark::DoNotOptimize(WriteAnimation(preview, out.string()));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AnimateExample)->Arg(187)->Arg(374)->Unit(benchmark::kMillisecond);

}  // namespace
