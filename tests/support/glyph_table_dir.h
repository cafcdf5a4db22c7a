#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "render/glyph_tables.h"
#include "temp_directory.h"

namespace lumera::testing {

// A fresh folder for glyph table files built byte by byte, removed with the object.
class GlyphTableDir {
public:
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Writes bytes at `offset` (growing the file with zeros); `size` then cuts the file.
    void Put(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes,
             std::size_t size = 0) {
        auto& file = files_[name];
        file.resize(std::max(file.size(), offset + bytes.size()));
        std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
        file.resize(size ? size : file.size());
        std::ofstream(path_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), std::ssize(file));
    }
    // 16-bit words with these low bytes and a high byte that must not count.
    void PutWords(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& low,
                  std::size_t size = 0) {
        std::vector<std::uint8_t> words;
        for (const std::uint8_t byte : low) {
            words.insert(words.end(), {byte, 0xA5});
        }
        Put(name, offset, words, size);
    }
    // Full-size tables in which every glyph lights all of its dots.
    void WriteFullyLitTables() {
        PutWords(kEnglishTableName, 4, std::vector<std::uint8_t>(105 * 5, 0xF7));
        PutWords(kHalfWidthTableName, 4, std::vector<std::uint8_t>(95 * 16, 0x00));
        PutWords(kSymbolTableName, 4, std::vector<std::uint8_t>(14 * 32, 0x00));
        Put(kWideTableName, 140, std::vector<std::uint8_t>(24 * 65536, 0xFF));
    }

private:
    TempDirectory folder_{"lumera-tables"};
    std::filesystem::path path_ = folder_.path();
    std::map<std::string, std::vector<std::uint8_t>> files_;
};

// The rows with a lit dot among the first `columns` columns, top row first: "15 14".
inline std::string LitRows(const DotRows& dots, int columns = kDotColumnCount) {
    std::string rows;
    for (int row = kDotRowCount - 1; row >= 0; --row) {
        if (std::any_of(dots[row].begin(), dots[row].begin() + columns, [](auto d) { return d; })) {
            rows += (rows.empty() ? "" : " ") + std::to_string(row);
        }
    }
    return rows;
}

// The lit columns of a row as runs: "0-9 240-1799".
inline std::string LitRuns(const DotRows& dots, int row) {
    std::string runs;
    for (int column = 0; column < kDotColumnCount; ++column) {
        if (dots[row][column] != 0) {
            const int first = column;
            while (column + 1 < kDotColumnCount && dots[row][column + 1] != 0) {
                ++column;
            }
            runs +=
                (runs.empty() ? "" : " ") + std::to_string(first) + "-" + std::to_string(column);
        }
    }
    return runs;
}

}  // namespace lumera::testing
