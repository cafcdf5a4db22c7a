// The capacity gauge's work for one keystroke: the image of a full 32-section table sized
// from its texts, in both modes. The window measures again after every change of the table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "download/image_capacity.h"

namespace {

using namespace lumera;

// Every section in use and full: 18 letters, or 12 double-byte characters.
MessageTable FullTable(bool englishMode) {
    std::string text;
    for (int k = 0; k < 12; ++k) {
        text += "\xB0\xA1";
    }
    const std::vector<SectionContent> sections(
        kSectionRows, SectionContent{englishMode ? std::string(18, 'W') : text,
                                     OpenEffect::LeftToRight, CloseEffect::FromRightToLeft});
    MessageTable table;
    table.Load(englishMode, sections);
    return table;
}

void MeasureKeystroke(benchmark::State& state, bool englishMode) {
    const MessageTable table = FullTable(englishMode);
    for (auto _ : state) {
        benchmark::DoNotOptimize(download::MeasureDownloadImage(table));
    }
}

void BM_GaugeFullEnglishTable(benchmark::State& state) {
    MeasureKeystroke(state, true);
}
BENCHMARK(BM_GaugeFullEnglishTable)->Unit(benchmark::kMicrosecond);

void BM_GaugeFullChineseTable(benchmark::State& state) {
    MeasureKeystroke(state, false);
}
BENCHMARK(BM_GaugeFullChineseTable)->Unit(benchmark::kMicrosecond);

}  // namespace
