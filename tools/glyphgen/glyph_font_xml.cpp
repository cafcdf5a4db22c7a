#include "glyph_font_xml.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <tuple>
#include <utility>

namespace lumera::glyphgen {

namespace {

// A dot is 1/16 em, so a 16-dot symbol fills the em exactly; the baseline lies
// under dot row 13, as in the 8x16 face the printable characters come from.
constexpr int kUnitsPerEm = 1024;
constexpr int kDotUnits = 64;
constexpr int kAscentDots = 14;
constexpr int kDescentDots = 2;
constexpr int kAscent = kAscentDots * kDotUnits;
constexpr int kDescent = kDescentDots * kDotUnits;
constexpr int kNotdefAdvanceDots = 8;
// Fixed so that the same sources always give the same font file.
constexpr const char* kFontTimestamp = "Thu Jan  1 00:00:00 2015";
constexpr const char* kFontVersion = "Version 1.000";
constexpr const char* kNotdefName = ".notdef";

struct Box {
    int xMin, yMin, xMax, yMax;
};

// A glyph outline: one rectangle per run of lit dots in a row, runs of identical
// extent in consecutive rows merged into one rectangle.
std::vector<Box> Rectangles(const FontGlyph& glyph) {
    std::vector<Box> boxes;
    std::map<std::pair<int, int>, Box> open;
    const PixelGrid& picture = glyph.picture;
    for (int row = 0; row <= picture.height(); ++row) {
        std::map<std::pair<int, int>, Box> stillOpen;
        for (int x = 0; x < picture.width();) {
            if (!picture.lit(x, row)) {
                ++x;
                continue;
            }
            const int first = x;
            while (picture.lit(x, row)) {
                ++x;
            }
            const int yMin = (glyph.baselineRow - 1 - row) * kDotUnits;
            Box box{(first - glyph.leftShift) * kDotUnits, yMin, (x - glyph.leftShift) * kDotUnits,
                    yMin + kDotUnits};
            auto above = open.find({first, x});
            if (above != open.end()) {
                box.yMax = above->second.yMax;
                open.erase(above);
            }
            stillOpen.emplace(std::pair{first, x}, box);
        }
        for (const auto& [run, box] : open) {
            boxes.push_back(box);
        }
        open = std::move(stillOpen);
    }
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
        return std::tie(b.yMax, a.xMin) < std::tie(a.yMax, b.xMin);
    });
    return boxes;
}

std::string GlyphName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "uni%04X", static_cast<unsigned>(codePoint));
    return name;
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

struct Outline {
    std::string name;
    char32_t codePoint;
    int advance;
    std::vector<Box> boxes;
    Box bounds{0, 0, 0, 0};
};

Outline MakeOutline(std::string name, char32_t codePoint, int advanceDots, std::vector<Box> boxes) {
    Outline outline{std::move(name), codePoint, advanceDots * kDotUnits, std::move(boxes)};
    if (!outline.boxes.empty()) {
        outline.bounds = outline.boxes.front();
        for (const Box& box : outline.boxes) {
            outline.bounds.xMin = std::min(outline.bounds.xMin, box.xMin);
            outline.bounds.yMin = std::min(outline.bounds.yMin, box.yMin);
            outline.bounds.xMax = std::max(outline.bounds.xMax, box.xMax);
            outline.bounds.yMax = std::max(outline.bounds.yMax, box.yMax);
        }
    }
    return outline;
}

// A hollow box, so that a character the font lacks is visible as such.
Outline NotdefOutline() {
    PixelGrid frame(kNotdefAdvanceDots, kAscentDots + kDescentDots);
    for (int row = 2; row <= 13; ++row) {
        for (int x = 1; x <= 6; ++x) {
            if (row == 2 || row == 13 || x == 1 || x == 6) {
                frame.light(x, row);
            }
        }
    }
    FontGlyph glyph{0, frame, kAscentDots, 0, kNotdefAdvanceDots};
    return MakeOutline(kNotdefName, 0, kNotdefAdvanceDots, Rectangles(glyph));
}

void WriteHead(std::ostream& out, const std::vector<Outline>& outlines) {
    Box bounds{0, -kDescent, 0, kAscent};
    for (const Outline& outline : outlines) {
        if (!outline.boxes.empty()) {
            bounds.xMin = std::min(bounds.xMin, outline.bounds.xMin);
            bounds.yMin = std::min(bounds.yMin, outline.bounds.yMin);
            bounds.xMax = std::max(bounds.xMax, outline.bounds.xMax);
            bounds.yMax = std::max(bounds.yMax, outline.bounds.yMax);
        }
    }
    out << "  <head>\n"
        << "    <tableVersion value=\"1.0\"/>\n"
        << "    <fontRevision value=\"1.0\"/>\n"
        << "    <checkSumAdjustment value=\"0x0\"/>\n"
        << "    <magicNumber value=\"0x5f0f3cf5\"/>\n"
        << "    <flags value=\"00000000 00001001\"/>\n"
        << "    <unitsPerEm value=\"" << kUnitsPerEm << "\"/>\n"
        << "    <created value=\"" << kFontTimestamp << "\"/>\n"
        << "    <modified value=\"" << kFontTimestamp << "\"/>\n"
        << "    <xMin value=\"" << bounds.xMin << "\"/>\n"
        << "    <yMin value=\"" << bounds.yMin << "\"/>\n"
        << "    <xMax value=\"" << bounds.xMax << "\"/>\n"
        << "    <yMax value=\"" << bounds.yMax << "\"/>\n"
        << "    <macStyle value=\"00000000 00000000\"/>\n"
        << "    <lowestRecPPEM value=\"8\"/>\n"
        << "    <fontDirectionHint value=\"2\"/>\n"
        << "    <indexToLocFormat value=\"0\"/>\n"
        << "    <glyphDataFormat value=\"0\"/>\n"
        << "  </head>\n";
}

void WriteHhea(std::ostream& out, const std::vector<Outline>& outlines) {
    int widest = 0;
    for (const Outline& outline : outlines) {
        widest = std::max(widest, outline.advance);
    }
    out << "  <hhea>\n"
        << "    <tableVersion value=\"0x00010000\"/>\n"
        << "    <ascent value=\"" << kAscent << "\"/>\n"
        << "    <descent value=\"" << -kDescent << "\"/>\n"
        << "    <lineGap value=\"0\"/>\n"
        << "    <advanceWidthMax value=\"" << widest << "\"/>\n"
        << "    <minLeftSideBearing value=\"0\"/>\n"
        << "    <minRightSideBearing value=\"0\"/>\n"
        << "    <xMaxExtent value=\"" << widest << "\"/>\n"
        << "    <caretSlopeRise value=\"1\"/>\n"
        << "    <caretSlopeRun value=\"0\"/>\n"
        << "    <caretOffset value=\"0\"/>\n"
        << "    <reserved0 value=\"0\"/>\n"
        << "    <reserved1 value=\"0\"/>\n"
        << "    <reserved2 value=\"0\"/>\n"
        << "    <reserved3 value=\"0\"/>\n"
        << "    <metricDataFormat value=\"0\"/>\n"
        << "    <numberOfHMetrics value=\"" << outlines.size() << "\"/>\n"
        << "  </hhea>\n";
}

void WriteMaxp(std::ostream& out, const std::vector<Outline>& outlines) {
    std::size_t contours = 0;
    for (const Outline& outline : outlines) {
        contours = std::max(contours, outline.boxes.size());
    }
    out << "  <maxp>\n"
        << "    <tableVersion value=\"0x10000\"/>\n"
        << "    <numGlyphs value=\"" << outlines.size() << "\"/>\n"
        << "    <maxPoints value=\"" << 4 * contours << "\"/>\n"
        << "    <maxContours value=\"" << contours << "\"/>\n"
        << "    <maxCompositePoints value=\"0\"/>\n"
        << "    <maxCompositeContours value=\"0\"/>\n"
        << "    <maxZones value=\"1\"/>\n"
        << "    <maxTwilightPoints value=\"0\"/>\n"
        << "    <maxStorage value=\"0\"/>\n"
        << "    <maxFunctionDefs value=\"0\"/>\n"
        << "    <maxInstructionDefs value=\"0\"/>\n"
        << "    <maxStackElements value=\"0\"/>\n"
        << "    <maxSizeOfInstructions value=\"0\"/>\n"
        << "    <maxComponentElements value=\"0\"/>\n"
        << "    <maxComponentDepth value=\"0\"/>\n"
        << "  </maxp>\n";
}

void WriteOs2(std::ostream& out, const std::vector<Outline>& outlines) {
    long advances = 0;
    int counted = 0;
    char32_t first = 0xFFFF;
    char32_t last = 0;
    for (const Outline& outline : outlines) {
        if (outline.advance > 0) {
            advances += outline.advance;
            ++counted;
        }
        if (outline.codePoint != 0) {
            first = std::min(first, outline.codePoint);
            last = std::max(last, outline.codePoint);
        }
    }
    const long averageWidth = counted > 0 ? advances / counted : 0;
    auto heightOf = [&outlines](char32_t codePoint) {
        for (const Outline& outline : outlines) {
            if (outline.codePoint == codePoint) {
                return outline.bounds.yMax;
            }
        }
        return 0;
    };
    constexpr int kSubscriptSize = kUnitsPerEm * 5 / 8;
    constexpr int kSubscriptOffset = kUnitsPerEm / 8;
    constexpr int kSuperscriptOffset = kUnitsPerEm * 3 / 8;
    // Unicode ranges: Basic Latin (bit 0) and the Private Use Area (bit 60).
    out << "  <OS_2>\n"
        << "    <version value=\"4\"/>\n"
        << "    <xAvgCharWidth value=\"" << averageWidth << "\"/>\n"
        << "    <usWeightClass value=\"400\"/>\n"
        << "    <usWidthClass value=\"5\"/>\n"
        << "    <fsType value=\"00000000 00000000\"/>\n"
        << "    <ySubscriptXSize value=\"" << kSubscriptSize << "\"/>\n"
        << "    <ySubscriptYSize value=\"" << kSubscriptSize << "\"/>\n"
        << "    <ySubscriptXOffset value=\"0\"/>\n"
        << "    <ySubscriptYOffset value=\"" << kSubscriptOffset << "\"/>\n"
        << "    <ySuperscriptXSize value=\"" << kSubscriptSize << "\"/>\n"
        << "    <ySuperscriptYSize value=\"" << kSubscriptSize << "\"/>\n"
        << "    <ySuperscriptXOffset value=\"0\"/>\n"
        << "    <ySuperscriptYOffset value=\"" << kSuperscriptOffset << "\"/>\n"
        << "    <yStrikeoutSize value=\"" << kDotUnits << "\"/>\n"
        << "    <yStrikeoutPosition value=\"" << 5 * kDotUnits << "\"/>\n"
        << "    <sFamilyClass value=\"0\"/>\n"
        << "    <panose>\n"
        << "      <bFamilyType value=\"0\"/>\n"
        << "      <bSerifStyle value=\"0\"/>\n"
        << "      <bWeight value=\"0\"/>\n"
        << "      <bProportion value=\"0\"/>\n"
        << "      <bContrast value=\"0\"/>\n"
        << "      <bStrokeVariation value=\"0\"/>\n"
        << "      <bArmStyle value=\"0\"/>\n"
        << "      <bLetterForm value=\"0\"/>\n"
        << "      <bMidline value=\"0\"/>\n"
        << "      <bXHeight value=\"0\"/>\n"
        << "    </panose>\n"
        << "    <ulUnicodeRange1 value=\"00000000 00000000 00000000 00000001\"/>\n"
        << "    <ulUnicodeRange2 value=\"00010000 00000000 00000000 00000000\"/>\n"
        << "    <ulUnicodeRange3 value=\"00000000 00000000 00000000 00000000\"/>\n"
        << "    <ulUnicodeRange4 value=\"00000000 00000000 00000000 00000000\"/>\n"
        << "    <achVendID value=\"NONE\"/>\n"
        << "    <fsSelection value=\"00000000 11000000\"/>\n"
        << "    <usFirstCharIndex value=\"" << static_cast<unsigned>(first) << "\"/>\n"
        << "    <usLastCharIndex value=\"" << static_cast<unsigned>(last) << "\"/>\n"
        << "    <sTypoAscender value=\"" << kAscent << "\"/>\n"
        << "    <sTypoDescender value=\"" << -kDescent << "\"/>\n"
        << "    <sTypoLineGap value=\"0\"/>\n"
        << "    <usWinAscent value=\"" << kAscent << "\"/>\n"
        << "    <usWinDescent value=\"" << kDescent << "\"/>\n"
        << "    <ulCodePageRange1 value=\"00000000 00000000 00000000 00000001\"/>\n"
        << "    <ulCodePageRange2 value=\"00000000 00000000 00000000 00000000\"/>\n"
        << "    <sxHeight value=\"" << heightOf(U'x') << "\"/>\n"
        << "    <sCapHeight value=\"" << heightOf(U'H') << "\"/>\n"
        << "    <usDefaultChar value=\"0\"/>\n"
        << "    <usBreakChar value=\"32\"/>\n"
        << "    <usMaxContext value=\"0\"/>\n"
        << "  </OS_2>\n";
}

void WriteHmtx(std::ostream& out, const std::vector<Outline>& outlines) {
    out << "  <hmtx>\n";
    for (const Outline& outline : outlines) {
        out << "    <mtx name=\"" << outline.name << "\" width=\"" << outline.advance << "\" lsb=\""
            << outline.bounds.xMin << "\"/>\n";
    }
    out << "  </hmtx>\n";
}

void WriteCmap(std::ostream& out, const std::vector<Outline>& outlines) {
    out << "  <cmap>\n"
        << "    <tableVersion version=\"0\"/>\n";
    for (const char* platform :
         {"platformID=\"0\" platEncID=\"3\"", "platformID=\"3\" platEncID=\"1\""}) {
        out << "    <cmap_format_4 " << platform << " language=\"0\">\n";
        for (const Outline& outline : outlines) {
            if (outline.codePoint != 0) {
                out << "      <map code=\"" << Hex(outline.codePoint) << "\" name=\""
                    << outline.name << "\"/>\n";
            }
        }
        out << "    </cmap_format_4>\n";
    }
    out << "  </cmap>\n";
}

void WriteGlyf(std::ostream& out, const std::vector<Outline>& outlines) {
    out << "  <loca>\n  </loca>\n  <glyf>\n";
    for (const Outline& outline : outlines) {
        if (outline.boxes.empty()) {
            out << "    <TTGlyph name=\"" << outline.name << "\"/>\n";
            continue;
        }
        out << "    <TTGlyph name=\"" << outline.name << "\" xMin=\"" << outline.bounds.xMin
            << "\" yMin=\"" << outline.bounds.yMin << "\" xMax=\"" << outline.bounds.xMax
            << "\" yMax=\"" << outline.bounds.yMax << "\">\n";
        // Clockwise, as TrueType wants outer contours.
        for (const Box& box : outline.boxes) {
            out << "      <contour>\n"
                << "        <pt x=\"" << box.xMin << "\" y=\"" << box.yMin << "\" on=\"1\"/>\n"
                << "        <pt x=\"" << box.xMin << "\" y=\"" << box.yMax << "\" on=\"1\"/>\n"
                << "        <pt x=\"" << box.xMax << "\" y=\"" << box.yMax << "\" on=\"1\"/>\n"
                << "        <pt x=\"" << box.xMax << "\" y=\"" << box.yMin << "\" on=\"1\"/>\n"
                << "      </contour>\n";
        }
        out << "      <instructions/>\n    </TTGlyph>\n";
    }
    out << "  </glyf>\n";
}

void WriteName(std::ostream& out) {
    // The printable characters come from the Sony 8x16 face, whose licence asks for
    // its notice in every copy.
    const std::pair<int, std::string> records[] = {
        {0,
         "Printable characters from the 8x16 fixed font, Copyright (c) 1987, 1988 Sony "
         "Corp.; see THIRD_PARTY.md"},
        {1, kGlyphFontFamily},
        {2, "Regular"},
        {3, std::string(kGlyphFontFamily) + " " + kFontVersion},
        {4, kGlyphFontFamily},
        {5, kFontVersion},
        {6, kGlyphFontFamily},
    };
    out << "  <name>\n";
    for (const auto& [id, text] : records) {
        out << "    <namerecord nameID=\"" << id
            << "\" platformID=\"3\" platEncID=\"1\" langID=\"0x409\">\n      " << text
            << "\n    </namerecord>\n";
    }
    out << "  </name>\n";
}

// Without a program of its own FreeType auto-hints the font and pulls the squares
// out of shape; this one only switches on dropout control.
void WritePrep(std::ostream& out) {
    out << "  <prep>\n"
        << "    <assembly>\n"
        << "      PUSHW[ ]\n      511\n      SCANCTRL[ ]\n"
        << "      PUSHB[ ]\n      4\n      SCANTYPE[ ]\n"
        << "    </assembly>\n"
        << "  </prep>\n";
}

void WritePost(std::ostream& out) {
    out << "  <post>\n"
        << "    <formatType value=\"3.0\"/>\n"
        << "    <italicAngle value=\"0.0\"/>\n"
        << "    <underlinePosition value=\"" << -kDotUnits << "\"/>\n"
        << "    <underlineThickness value=\"" << kDotUnits << "\"/>\n"
        << "    <isFixedPitch value=\"0\"/>\n"
        << "    <minMemType42 value=\"0\"/>\n"
        << "    <maxMemType42 value=\"0\"/>\n"
        << "    <minMemType1 value=\"0\"/>\n"
        << "    <maxMemType1 value=\"0\"/>\n"
        << "  </post>\n";
}

}  // namespace

std::string BuildGlyphFontXml(const std::vector<FontGlyph>& glyphs) {
    std::vector<Outline> outlines{NotdefOutline()};
    for (const FontGlyph& glyph : glyphs) {
        outlines.push_back(MakeOutline(GlyphName(glyph.codePoint), glyph.codePoint, glyph.advance,
                                       Rectangles(glyph)));
    }

    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<ttFont sfntVersion=\"\\x00\\x01\\x00\\x00\" ttLibVersion=\"4.38\">\n"
        << "  <GlyphOrder>\n";
    for (std::size_t id = 0; id < outlines.size(); ++id) {
        out << "    <GlyphID id=\"" << id << "\" name=\"" << outlines[id].name << "\"/>\n";
    }
    out << "  </GlyphOrder>\n";
    WriteHead(out, outlines);
    WriteHhea(out, outlines);
    WriteMaxp(out, outlines);
    WriteOs2(out, outlines);
    WriteHmtx(out, outlines);
    WriteCmap(out, outlines);
    WriteGlyf(out, outlines);
    WriteName(out);
    WritePrep(out);
    WritePost(out);
    out << "</ttFont>\n";
    return out.str();
}

}  // namespace lumera::glyphgen
