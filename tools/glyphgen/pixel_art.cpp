#include "pixel_art.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lumera::glyphgen {

namespace {

constexpr char kLitDot = '#';
constexpr char kDarkDot = '.';
constexpr std::string_view kGlyphKeyword = "glyph";

std::string TrimEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    return line;
}

}  // namespace

std::map<int, PixelGrid> ReadPixelArt(const std::string& path, int width, int height) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error(path + ": cannot be opened");
    }
    std::map<int, PixelGrid> grids;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error(path + ":" + std::to_string(lineNumber) + ": " + why);
    };

    PixelGrid* open = nullptr;
    int rowsRead = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        line = TrimEnd(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.starts_with(kGlyphKeyword)) {
            if (open != nullptr) {
                fail("glyph header before the previous glyph has " + std::to_string(height) +
                     " rows");
            }
            std::istringstream header(line.substr(kGlyphKeyword.size()));
            std::string codeText;
            header >> codeText;
            std::size_t used = 0;
            int code = -1;
            try {
                code = std::stoi(codeText, &used, 0);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != codeText.size() || code < 0 || code > 0xFF) {
                fail("'" + codeText + "' is not a byte code");
            }
            auto [where, inserted] = grids.emplace(code, PixelGrid(width, height));
            if (!inserted) {
                fail("code " + codeText + " is drawn twice");
            }
            open = &where->second;
            rowsRead = 0;
            continue;
        }
        if (open == nullptr) {
            fail("pixel row outside a glyph");
        }
        if (static_cast<int>(line.size()) != width) {
            fail("row has " + std::to_string(line.size()) + " dots, expected " +
                 std::to_string(width));
        }
        for (int x = 0; x < width; ++x) {
            if (line[x] == kLitDot) {
                open->light(x, rowsRead);
            } else if (line[x] != kDarkDot) {
                fail(std::string("unexpected character '") + line[x] + "'");
            }
        }
        if (++rowsRead == height) {
            open = nullptr;
        }
    }
    if (open != nullptr) {
        fail("last glyph has " + std::to_string(rowsRead) + " rows, expected " +
             std::to_string(height));
    }
    return grids;
}

}  // namespace lumera::glyphgen
