#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lumera::testing {

// A fresh, empty folder under the system's temporary folder, removed with the object.
class ScratchDirectory {
public:
    ScratchDirectory() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("lumera-download-" + std::string(test->test_suite_name()) + "-" + test->name() +
                 "-" + std::to_string(counter()++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline void WriteWords(std::ofstream& out, const std::vector<std::uint8_t>& lowBytes) {
    for (const std::uint8_t low : lowBytes) {
        out.put(static_cast<char>(low)).put(static_cast<char>(0xEE));  // high byte ignored
    }
}

// Glyph tables whose dots tell where they came from:
//   window_zr1.bin record r, column k: r + 16k
//   window_zr2.bin character c, byte k: c + k (stored complemented)
//   window_zr3.bin symbol i, byte k: 16i + k (stored complemented)
//   window_zr4.bin unit U, byte k: (U + k) mod 256, for units up to lastWideUnit
inline void WriteGlyphTables(const std::filesystem::path& directory, char16_t lastWideUnit) {
    std::ofstream english(directory / "window_zr1.bin", std::ios::binary);
    english.write("ZR1\0", 4);
    for (int record = 32; record <= 136; ++record) {
        std::vector<std::uint8_t> columns;
        for (int k = 0; k < 5; ++k) {
            columns.push_back(static_cast<std::uint8_t>(record + 16 * k));
        }
        WriteWords(english, columns);
    }
    std::ofstream halfWidth(directory / "window_zr2.bin", std::ios::binary);
    halfWidth.write("ZR2\0", 4);
    for (int code = 0x20; code <= 0x7E; ++code) {
        std::vector<std::uint8_t> bytes;
        for (int k = 0; k < 16; ++k) {
            bytes.push_back(static_cast<std::uint8_t>(~(code + k)));
        }
        WriteWords(halfWidth, bytes);
    }
    std::ofstream symbols(directory / "window_zr3.bin", std::ios::binary);
    symbols.write("ZR3\0", 4);
    for (int index = 0; index < 14; ++index) {
        std::vector<std::uint8_t> bytes;
        for (int k = 0; k < 32; ++k) {
            bytes.push_back(static_cast<std::uint8_t>(~(16 * index + k)));
        }
        WriteWords(symbols, bytes);
    }
    std::ofstream wide(directory / "window_zr4.bin", std::ios::binary);
    wide.write(std::string(140, '\0').data(), 140);
    for (int unit = 0; unit <= lastWideUnit; ++unit) {
        for (int k = 0; k < 24; ++k) {
            wide.put(static_cast<char>(unit + k));
        }
    }
}

}  // namespace lumera::testing
