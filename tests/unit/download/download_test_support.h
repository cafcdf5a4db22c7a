#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "file_contents.h"
#include "temp_directory.h"

namespace lumera::testing {

// Glyph tables whose dots tell where they came from: English record r, column k: r + 16k;
// single-byte character c, byte k: c + k; symbol i, byte k: 16i + k; wide unit U, byte k:
// U + k (units up to U+554A, the character B0 A1).
enum class Unit { Word, ComplementedWord, Byte };

inline void WriteGlyphTables(const std::filesystem::path& directory) {
    const auto table = [&](const char* name, int header, int first, int last, int units, Unit unit,
                           auto dot) {
        std::ofstream out(directory / name, std::ios::binary);
        out << std::string(header, '\0');
        for (int record = first; record <= last; ++record) {
            for (int k = 0; k < units; ++k) {
                const int value = dot(record, k);
                out.put(static_cast<char>(unit == Unit::ComplementedWord ? ~value : value));
                if (unit != Unit::Byte) {
                    out.put('\0');
                }
            }
        }
    };
    table("window_zr1.bin", 4, 32, 136, 5, Unit::Word, [](int r, int k) { return r + 16 * k; });
    table("window_zr2.bin", 4, 32, 126, 16, Unit::ComplementedWord,
          [](int c, int k) { return c + k; });
    table("window_zr3.bin", 4, 0, 13, 32, Unit::ComplementedWord,
          [](int i, int k) { return 16 * i + k; });
    table("window_zr4.bin", 140, 0, 0x554A, 24, Unit::Byte, [](int u, int k) { return u + k; });
}

}  // namespace lumera::testing
