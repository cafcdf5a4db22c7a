// The glyph-table readers and the rasterisers over tables of any content and length, with
// any of the four files missing: a present table always gives a cell, a missing one gives
// a message and leaves the cell alone, and nothing is read outside the record.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "editing/prompter.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "render/glyph_tables.h"
#include "render/rasterise.h"

namespace {

using lumera::GlyphCell;
using lumera::GlyphTableFiles;

constexpr std::array<const char*, 4> kTableNames = {
    lumera::kEnglishTableName, lumera::kHalfWidthTableName, lumera::kSymbolTableName,
    lumera::kWideTableName};
constexpr std::size_t kLongestText = 48;
constexpr std::size_t kLongestTable = 2048;

class CountingPrompter : public lumera::Prompter {
public:
    void Message(const std::string&) override { ++messages; }
    void Information(const std::string&) override { ++messages; }
    bool Ask(const std::string&) override { return false; }
    std::optional<std::string> OpenFileName(const std::string&) override { return {}; }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&) override {
        return {};
    }

    int messages = 0;
};

// One folder for the whole run, removed at exit; a folder per process keeps parallel
// replays apart.
class TableFolder {
public:
    TableFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "glyph-fuzz-XXXXXX");
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
        path_ = pattern;
    }
    ~TableFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& TableDirectory() {
    static const TableFolder folder;
    return folder.path();
}

void PlaceTable(const char* name, bool present, std::string_view bytes) {
    const std::filesystem::path path = TableDirectory() / name;
    std::filesystem::remove(path);
    if (present) {
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

// Reads one record with `read`, which must answer as the table's presence says.
template <typename Read>
void CheckRead(bool present, CountingPrompter& prompter, Read read) {
    GlyphCell cell;
    cell.kind = 0xA5;
    cell.count = 0x5A;
    std::fill(std::begin(cell.data), std::end(cell.data), 0xC3);
    const int before = prompter.messages;
    FUZZ_CHECK(read(cell) == present);
    FUZZ_CHECK(prompter.messages == before + (present ? 0 : 1));
    // The kind and count are the caller's, and a missing table leaves the cell alone.
    FUZZ_CHECK(cell.kind == 0xA5 && cell.count == 0x5A);
    if (!present) {
        FUZZ_CHECK(std::all_of(std::begin(cell.data), std::end(cell.data),
                               [](std::uint8_t byte) { return byte == 0xC3; }));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumera::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    std::array<bool, kTableNames.size()> present{};
    for (std::size_t n = 0; n < kTableNames.size(); ++n) {
        present[n] = (flags >> n & 1) == 0;
        PlaceTable(kTableNames[n], present[n], input.Text(input.Byte() * kLongestTable / 255));
    }
    const std::int32_t record = input.Int32();
    const std::string_view text = input.Text(input.Byte() % kLongestText);

    CountingPrompter prompter;
    const GlyphTableFiles tables{TableDirectory(), prompter};
    const bool deviceForm = (flags & 0x10) != 0;
    CheckRead(present[0], prompter, [&](GlyphCell& cell) {
        return lumera::ReadEnglishGlyph(record, cell, deviceForm, tables);
    });
    CheckRead(present[1], prompter,
              [&](GlyphCell& cell) { return lumera::ReadHalfWidthGlyph(record, cell, tables); });
    CheckRead(present[2], prompter,
              [&](GlyphCell& cell) { return lumera::ReadSymbolGlyph(record, cell, tables); });
    CheckRead(present[3], prompter, [&](GlyphCell& cell) {
        return lumera::ReadWideGlyph(static_cast<char16_t>(record), cell, tables);
    });

    lumera::Glyphs glyphs;
    static lumera::DotRows dotRows;
    if ((flags & 0x20) != 0) {
        lumera::RasteriseEnglish(text, deviceForm, tables, glyphs, dotRows);
        FUZZ_CHECK(glyphs.size() == text.size());
    } else {
        lumera::RasteriseChinese(text, deviceForm, tables, glyphs, dotRows);
        FUZZ_CHECK(glyphs.size() <= text.size());
    }
    for (const GlyphCell& cell : glyphs) {
        FUZZ_CHECK(cell.count <= sizeof cell.data);
    }
    return 0;
}
