#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/cli_capacity.h"
#include "cli/cli_command.h"
#include "cli/cli_image_io.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "editing/byte_classes.h"
#include "editing/code_page_936.h"
#include "editing/drawing_rows.h"
#include "editing/language_texts.h"
#include "editing/text_measures.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "show";
constexpr char kHelp[] =
    "usage: lumera-cli show [--raw] FILE\n"
    "\n"
    "Loads FILE (a .led message file or a .lumera table file, told apart by their content)\n"
    "as the window's Open does and prints the table: the mode, then every\n"
    "section in use with its text, opening effect and closing effect (by the names new\n"
    "takes). Glyph codes are shown as <glyph HH>, bytes that are no character as <byte HH>.\n"
    "A drawing is shown as its rows of '#' (lit) and '.' (dark), top row first, under\n"
    "its section's line. The last line is 'image: S of 2047 bytes', the size of the image\n"
    "Send would build.\n"
    "Messages the loading would show go to stderr. Exit 1 when the file is rejected or\n"
    "is a download image (decode prints those).\n"
    "\n"
    "  --raw   exact form for scripts: 'mode: english|chinese', 'sections: N', then\n"
    "          'n: open=I close=J text=T' where T keeps the bytes 0x21..0x7E except\n"
    "          backslash and writes every other byte as \\xHH, or\n"
    "          'n: open=I close=J drawing=C' followed by the drawing's rows.\n";

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

std::string HexByte(unsigned char byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    return digits;
}

std::string RawText(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsPrintable(byte) && byte != ' ' && byte != '\\') {
            out += c;
        } else {
            out += "\\x" + HexByte(byte);
        }
    }
    return out;
}

std::string MarkedBytes(std::string_view bytes, std::string_view kind) {
    std::string out;
    for (char c : bytes) {
        out += "<" + std::string(kind) + " " + HexByte(static_cast<unsigned char>(c)) + ">";
    }
    return out;
}

// One character of a section text as a person reads it.
std::string ReadableCharacter(std::string_view character) {
    const auto first = static_cast<unsigned char>(character.front());
    if (character.size() == 1 && IsGlyphCode(first)) {
        return MarkedBytes(character, "glyph");
    }
    if (character.size() == 1 && !IsPrintable(first)) {
        return MarkedBytes(character, "byte");
    }
    const std::string utf8 = CodePage936ToUtf8(character);
    if (utf8.find(kReplacementCharacter) != std::string::npos) {
        return MarkedBytes(character, "byte");
    }
    return utf8;
}

std::string ReadableText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair =
            IsDoubleByteLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::size_t length = pair ? 2 : 1;
        out += ReadableCharacter(text.substr(i, length));
        i += length;
    }
    return out;
}

// A drawing's rows of '#' and '.', top row first, each on a line of its own after `indent`.
void PrintDrawing(const Drawing& drawing, bool englishMode, std::string_view indent) {
    for (const std::string& row : DrawingRowsText(drawing, DrawingRows(englishMode))) {
        std::cout << indent << row << '\n';
    }
}

void PrintRaw(const MessageTable& table) {
    std::cout << "mode: " << (table.EnglishMode() ? "english" : "chinese") << '\n';
    std::cout << "sections: " << table.SectionCount() << '\n';
    for (int index = 0; index < table.SectionCount(); ++index) {
        const Section& section = table.section(index);
        std::cout << index + 1 << ": open=" << EffectNumber(section.openOption)
                  << " close=" << EffectNumber(section.closeOption);
        if (section.HoldsDrawing()) {
            std::cout << " drawing=" << section.drawing.columns.size() << '\n';
            PrintDrawing(section.drawing, table.EnglishMode(), "");
            continue;
        }
        std::cout << " text=" << RawText(section.text) << '\n';
    }
}

void PrintReadable(const MessageTable& table) {
    const int count = table.SectionCount();
    std::cout << (table.EnglishMode() ? "English" : "Chinese") << " mode, " << count
              << (count == 1 ? " section" : " sections") << '\n';
    for (int index = 0; index < count; ++index) {
        const Section& section = table.section(index);
        std::cout << (index < 9 ? " " : "") << index + 1 << "  ";
        if (section.HoldsDrawing()) {
            const std::size_t columns = section.drawing.columns.size();
            std::cout << "drawing of " << columns << (columns == 1 ? " column" : " columns")
                      << '\n';
            PrintDrawing(section.drawing, table.EnglishMode(), "    ");
        } else {
            std::cout << "\"" << ReadableText(section.text) << "\"\n";
        }
        std::cout << "    open: " << EffectName(section.openOption)
                  << ", close: " << EffectName(section.closeOption) << '\n';
    }
}

int RunShow(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
    line.AddOption({"raw"});
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() != 1) {
        return line.UsageError("expected exactly one FILE");
    }
    if (ReportedAsDownloadImage(kCommand, files.front())) {
        return 1;
    }
    MessageTable table;
    if (!LoadIntoTable(kCommand, files.front(), table)) {
        return 1;
    }
    if (line.IsSet("raw")) {
        PrintRaw(table);
    } else {
        PrintReadable(table);
    }
    std::cout << download::CapacityLine(MeasureTable(table)) << '\n';
    return 0;
}

CliCommandRegistration registration{{kCommand, "print the table a message file holds", RunShow}};

}  // namespace
}  // namespace lumera::cli
