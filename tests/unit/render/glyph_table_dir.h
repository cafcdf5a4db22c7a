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

namespace lumera::testing {

// A fresh folder of glyph table files built byte by byte, removed with the object.
class GlyphTableDir {
public:
    GlyphTableDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumera-render-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary folder";
        }
        path_ = pattern;
    }
    ~GlyphTableDir() { std::filesystem::remove_all(path_); }
    GlyphTableDir(const GlyphTableDir&) = delete;
    GlyphTableDir& operator=(const GlyphTableDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `bytes` at `offset` of the file, growing it with zeros as needed.
    void Put(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
        auto& file = files_[name];
        if (file.size() < offset + bytes.size()) {
            file.resize(offset + bytes.size());
        }
        std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
        Flush(name);
    }

    // Little-endian 16-bit words with the given low bytes and a high byte that must not count.
    void PutWords(const std::string& name, std::size_t offset,
                  const std::vector<std::uint8_t>& lowBytes) {
        std::vector<std::uint8_t> words;
        for (const std::uint8_t low : lowBytes) {
            words.push_back(low);
            words.push_back(kNoiseHighByte);
        }
        Put(name, offset, words);
    }

    void Truncate(const std::string& name, std::size_t size) {
        files_[name].resize(size);
        Flush(name);
    }

    // Every glyph of every table lights all of its dots, and the tables are full size.
    void WriteFullyLitTables() {
        PutWords(kEnglishTableName, 4, std::vector<std::uint8_t>(105 * 5, 0xF7));
        PutWords(kHalfWidthTableName, 4, std::vector<std::uint8_t>(95 * 16, 0x00));
        PutWords(kSymbolTableName, 4, std::vector<std::uint8_t>(14 * 32, 0x00));
        Put(kWideTableName, 140, std::vector<std::uint8_t>(24 * 65536, 0xFF));
    }

private:
    static constexpr std::uint8_t kNoiseHighByte = 0xA5;

    void Flush(const std::string& name) {
        const auto& file = files_[name];
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
    }

    std::filesystem::path path_;
    std::map<std::string, std::vector<std::uint8_t>> files_;
};

}  // namespace lumera::testing
