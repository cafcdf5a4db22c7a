// One rasterisation of the longest section texts, reading the glyph table files afresh
// for every character as the preview and the download do.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "render/rasterise.h"

namespace {

using namespace lumera;

// Full-size tables of patterned records in a temporary folder, removed at exit.
class PatternTables {
public:
    PatternTables() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumera-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            directory_ = pattern;
        }
        Write(kEnglishTableName, 4 + 10 * 105);
        Write(kHalfWidthTableName, 4 + 32 * 95);
        Write(kSymbolTableName, 4 + 64 * 14);
        Write(kWideTableName, 140 + 24 * 65536);
    }
    ~PatternTables() { std::filesystem::remove_all(directory_); }
    const std::filesystem::path& directory() const { return directory_; }

private:
    void Write(const char* name, std::size_t size) {
        std::vector<char> bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i * 37 + 11);
        }
        std::ofstream(directory_ / name, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(size));
    }

    std::filesystem::path directory_;
};

const PatternTables& Tables() {
    static const PatternTables tables;
    return tables;
}

void Rasterise(benchmark::State& state, const std::string& text, bool english, bool deviceForm) {
    SilentPrompter prompter;
    const GlyphTableFiles files{Tables().directory(), prompter};
    Glyphs glyphs;
    DotRows dots{};
    for (auto _ : state) {
        if (english) {
            RasteriseEnglish(text, deviceForm, files, glyphs, dots);
        } else {
            RasteriseChinese(text, deviceForm, files, glyphs, dots);
        }
        benchmark::DoNotOptimize(glyphs.data());
    }
}

// Twelve double-byte characters: the widest Chinese section.
const std::string kChineseText =
    "\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9\xD6\xD0\xCE\xC4\xCF\xD4";

void BM_RasteriseChinesePreview(benchmark::State& state) {
    Rasterise(state, kChineseText + "\xCA\xBE", false, false);
}
BENCHMARK(BM_RasteriseChinesePreview);

void BM_RasteriseChineseDevice(benchmark::State& state) {
    Rasterise(state, kChineseText + "\xCA\xBE", false, true);
}
BENCHMARK(BM_RasteriseChineseDevice);

void BM_RasteriseEnglishPreview(benchmark::State& state) {
    Rasterise(state, "LUMERA LED DISPLAY", true, false);
}
BENCHMARK(BM_RasteriseEnglishPreview);

}  // namespace
