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
    MessageTable table;
    table.Reset(true);
    const struct {
        const char* text;
        int open, close;
    } rows[] = {
        {"WELCOME", 0, 0}, {"LUMERA LED", 4, 5}, {"OPEN 9AM-6PM", 8, 3}, {"THANK YOU!", 6, 6}};
    for (int i = 0; i < 4; ++i) {
        table.SetText(i, rows[i].text);
        table.SetOpenOption(i, OpenEffectFromNumber(rows[i].open).value());
        table.SetCloseOption(i, CloseEffectFromNumber(rows[i].close).value());
    }
    table.SetSectionCount(4);
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
