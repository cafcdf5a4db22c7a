// Builds the four glyph tables and the TTX source of the glyph font from the
// pixel-art sources and the bitmap fonts. Same inputs, same bytes.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>

#include "bitmap_face.h"
#include "glyph_codes.h"
#include "glyph_font_xml.h"
#include "glyph_tables.h"
#include "pixel_art.h"

namespace lumera::glyphgen {
namespace {

constexpr const char* kUsage =
    "usage: glyphgen --out-dir DIR --font-xml FILE --assets DIR\n"
    "                --font-5x7 FILE --font-8x16 FILE --font-cjk12 FILE\n";

// The 12-pixel ideographs of the CJK face stand 11 rows above its baseline and one
// below; a baseline under row 12 puts them in rows 2..13 of the 16-row record.
constexpr int kWideBaselineRow = 13;
constexpr char32_t kWideProbe = U'\u4E2D';
constexpr int kWideFirstRow = 2;
constexpr int kWideLastRow = 13;

struct Options {
    std::filesystem::path outDir;
    std::filesystem::path fontXml;
    std::filesystem::path assets;
    std::string font5x7;
    std::string font8x16;
    std::string fontCjk12;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    const std::map<std::string, std::string*> textOptions = {
        {"--font-5x7", &options.font5x7},
        {"--font-8x16", &options.font8x16},
        {"--font-cjk12", &options.fontCjk12},
    };
    const std::map<std::string, std::filesystem::path*> pathOptions = {
        {"--out-dir", &options.outDir},
        {"--font-xml", &options.fontXml},
        {"--assets", &options.assets},
    };
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) {
            throw std::invalid_argument(std::string(argv[i]) + " needs a value");
        }
        if (auto text = textOptions.find(argv[i]); text != textOptions.end()) {
            *text->second = argv[i + 1];
        } else if (auto path = pathOptions.find(argv[i]); path != pathOptions.end()) {
            *path->second = argv[i + 1];
        } else {
            throw std::invalid_argument(std::string("unknown option ") + argv[i]);
        }
    }
    if (options.outDir.empty() || options.fontXml.empty() || options.assets.empty() ||
        options.font5x7.empty() || options.font8x16.empty() || options.fontCjk12.empty()) {
        throw std::invalid_argument("every option is required");
    }
    return options;
}

void WriteFile(const std::filesystem::path& path, const std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
}

void WriteTable(const std::filesystem::path& path, const TableBytes& table) {
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(table.data()), table.size()));
}

void RequireStrike(const BitmapFace& face, int height, const std::string& path) {
    if (face.cellHeight() != height) {
        throw std::runtime_error(path + ": expected a face " + std::to_string(height) +
                                 " pixels high, found " + std::to_string(face.cellHeight()));
    }
}

// Checks that the CJK face is the one whose ideographs are 12 pixels high.
void RequireTwelvePixelIdeographs(const BitmapFace& face, const std::string& path) {
    const auto probe = face.Draw(kWideProbe, kWideWidth, kWideHeight, kWideBaselineRow);
    auto rowLit = [&probe](int row) {
        for (int x = 0; x < kWideWidth; ++x) {
            if (probe->lit(x, row)) {
                return true;
            }
        }
        return false;
    };
    if (!probe || !rowLit(kWideFirstRow) || !rowLit(kWideLastRow) || rowLit(kWideFirstRow - 1) ||
        rowLit(kWideLastRow + 1)) {
        throw std::runtime_error(path + ": expected a face whose ideographs are 12 pixels high");
    }
}

std::vector<PixelGrid> DrawPrintables(const BitmapFace& face, int width, int height,
                                      const std::string& path) {
    std::vector<PixelGrid> grids;
    for (int code = kFirstPrintable; code <= kLastPrintable; ++code) {
        auto grid = face.Draw(static_cast<char32_t>(code), width, height, face.ascent());
        if (!grid) {
            throw std::runtime_error(path + ": has no glyph for the character " +
                                     std::to_string(code));
        }
        grids.push_back(std::move(*grid));
    }
    return grids;
}

// The pixel art of a file, which must draw exactly the given codes, in their order.
std::vector<PixelGrid> ReadArt(const std::filesystem::path& path, int width, int height,
                               const std::vector<int>& codes) {
    std::map<int, PixelGrid> art = ReadPixelArt(path.string(), width, height);
    std::vector<PixelGrid> grids;
    for (int code : codes) {
        auto found = art.find(code);
        if (found == art.end()) {
            throw std::runtime_error(path.string() + ": code " + std::to_string(code) +
                                     " is not drawn");
        }
        grids.push_back(found->second);
        art.erase(found);
    }
    if (!art.empty()) {
        throw std::runtime_error(path.string() + ": code " + std::to_string(art.begin()->first) +
                                 " has no place in the table");
    }
    return grids;
}

std::vector<FontGlyph> FontGlyphs(const std::vector<PixelGrid>& halfWidth,
                                  const std::vector<PixelGrid>& specials,
                                  const std::vector<PixelGrid>& symbols) {
    constexpr int kHalfWidthBaselineRow = 14;
    constexpr int kEnglishBaselineRow = 6;
    constexpr int kEnglishAdvance = kEnglishWidth + 1;
    // The symbols leave columns 0 and 1 dark; moving them one dot left centres the
    // 14 drawn columns in the advance.
    constexpr int kSymbolShift = kSymbolBlankColumns / 2;

    std::vector<FontGlyph> glyphs;
    for (int code = kFirstPrintable; code <= kLastPrintable; ++code) {
        glyphs.push_back({static_cast<char32_t>(code), halfWidth[code - kFirstPrintable],
                          kHalfWidthBaselineRow, 0, kHalfWidthWidth});
    }
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
        const char32_t codePoint = kGlyphCodeBase + code;
        const auto symbol = std::find(kSymbolCodes.begin(), kSymbolCodes.end(), code);
        if (symbol != kSymbolCodes.end()) {
            glyphs.push_back({codePoint, symbols[symbol - kSymbolCodes.begin()],
                              kHalfWidthBaselineRow, kSymbolShift, kSymbolWidth});
        } else if (code >= kFirstEnglishGlyph) {
            glyphs.push_back({codePoint, specials[code - kFirstEnglishGlyph], kEnglishBaselineRow,
                              0, kEnglishAdvance});
        } else {
            glyphs.push_back({codePoint, PixelGrid(0, 0), 0, 0, kHalfWidthWidth});
        }
    }
    return glyphs;
}

void Generate(const Options& options) {
    const BitmapFace english(options.font5x7);
    RequireStrike(english, kEnglishHeight, options.font5x7);
    const BitmapFace halfWidthFace(options.font8x16);
    RequireStrike(halfWidthFace, kHalfWidthHeight, options.font8x16);
    const BitmapFace wide(options.fontCjk12);
    RequireTwelvePixelIdeographs(wide, options.fontCjk12);

    std::vector<int> specialCodes;
    for (int code = kFirstEnglishGlyph; code <= kLastEnglishGlyph; ++code) {
        specialCodes.push_back(code);
    }
    const std::vector<PixelGrid> specials =
        ReadArt(options.assets / "english_icons.txt", kEnglishWidth, kEnglishHeight, specialCodes);
    const std::vector<PixelGrid> symbols =
        ReadArt(options.assets / "wide_symbols.txt", kSymbolWidth, kSymbolHeight,
                std::vector<int>(kSymbolCodes.begin(), kSymbolCodes.end()));

    std::vector<PixelGrid> englishRecords =
        DrawPrintables(english, kEnglishWidth, kEnglishHeight, options.font5x7);
    englishRecords.insert(englishRecords.end(), specials.begin(), specials.end());
    const std::vector<PixelGrid> halfWidth =
        DrawPrintables(halfWidthFace, kHalfWidthWidth, kHalfWidthHeight, options.font8x16);

    // Everything is built before anything is written, so a fault leaves no tables.
    const TableBytes englishTable = BuildEnglishTable(englishRecords);
    const TableBytes halfWidthTable = BuildHalfWidthTable(halfWidth);
    const TableBytes symbolTable = BuildSymbolTable(symbols);
    const TableBytes wideTable = BuildWideTable([&wide](char16_t unit) -> std::optional<PixelGrid> {
        // Surrogate halves are not characters on their own.
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        return wide.Draw(unit, kWideWidth, kWideHeight, kWideBaselineRow);
    });
    const std::string fontXml = BuildGlyphFontXml(FontGlyphs(halfWidth, specials, symbols));

    std::filesystem::create_directories(options.outDir);
    WriteTable(options.outDir / "window_zr1.bin", englishTable);
    WriteTable(options.outDir / "window_zr2.bin", halfWidthTable);
    WriteTable(options.outDir / "window_zr3.bin", symbolTable);
    WriteTable(options.outDir / "window_zr4.bin", wideTable);
    WriteFile(options.fontXml, fontXml);
}

}  // namespace
}  // namespace lumera::glyphgen

int main(int argc, char** argv) {
    try {
        lumera::glyphgen::Generate(lumera::glyphgen::ParseOptions(argc, argv));
    } catch (const std::invalid_argument& error) {
        std::cerr << "glyphgen: " << error.what() << "\n" << lumera::glyphgen::kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "glyphgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
