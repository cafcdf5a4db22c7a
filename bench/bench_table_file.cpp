// Opening a full table: the whole file read from memory (parse and checks) and loaded into the
// table (MessageTable::Load, every text through the text rules), as Open does after reading
// the file. The message file's load is timed beside it for comparison.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/led_loader.h"
#include "files/led_scramble.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "files/table_file.h"

namespace {

using namespace lumera;

constexpr int kChineseCharacters = 12;

// Every section in use and full: 18 letters, or 12 double-byte characters.
LedFileContent FullContent(bool englishMode) {
    std::string chinese;
    for (int k = 0; k < kChineseCharacters; ++k) {
        chinese += "\xD6\xD0";
    }
    const std::string text = englishMode ? std::string(kEnglishMaxLength, 'W') : chinese;
    return {englishMode,
            std::vector<LedSection>(kSectionRows, LedSection{text, OpenEffect::UpToDown,
                                                             CloseEffect::FromMiddleToTwoNearby})};
}

void Load(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        const LedParseResult parsed = ParseMessageFileBytes(file);
        MessageTable table;
        benchmark::DoNotOptimize(ApplyLedContent(*parsed.content, table));
    }
}

void BM_LoadFullTableFileEnglish(benchmark::State& state) {
    Load(state, FormatTableFile(FullContent(true)));
}
BENCHMARK(BM_LoadFullTableFileEnglish)->Unit(benchmark::kMicrosecond);

void BM_LoadFullTableFileChinese(benchmark::State& state) {
    Load(state, FormatTableFile(FullContent(false)));
}
BENCHMARK(BM_LoadFullTableFileChinese)->Unit(benchmark::kMicrosecond);

// 32 drawings of the widest, every other dot lit: the largest table file there is
// (goal: 20 ms).
void BM_LoadTableFileOfDrawings(benchmark::State& state) {
    LedFileContent content = FullContent(false);
    for (LedSection& section : content.sections) {
        section.text.clear();
        section.drawing.columns.assign(kMostSectionColumns, 0x5555);
    }
    Load(state, FormatTableFile(content));
}
BENCHMARK(BM_LoadTableFileOfDrawings)->Unit(benchmark::kMicrosecond);

void BM_LoadFullLedFileEnglish(benchmark::State& state) {
    std::string file = FormatLedText(FullContent(true));
    ScrambleLedBytes(file);
    Load(state, file);
}
BENCHMARK(BM_LoadFullLedFileEnglish)->Unit(benchmark::kMicrosecond);

}  // namespace
