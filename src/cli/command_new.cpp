#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/cli_command.h"
#include "cli/cli_drawing_arguments.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "download/image_capacity.h"
#include "editing/code_page_936.h"
#include "editing/effects.h"
#include "editing/validation.h"
#include "files/led_content.h"
#include "files/led_saver.h"
#include "files/led_table.h"
#include "files/led_writer.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "new";
constexpr std::size_t kHelpWidth = 86;
constexpr char kHelpIndent[] = "                    ";
constexpr char kHelpStart[] =
    "usage: lumera-cli new OUT --english|--chinese [--force] SECTION...\n"
    "\n"
    "Builds a table as loading a file would (every text goes through the same checks\n"
    "and length rules as typing) and writes it to OUT as the window's Save does: a\n"
    "message file when OUT ends in .led, otherwise a table file (JSON, as .lumera).\n"
    "A text those rules refuse (a character the mode does not have) or cut (too long)\n"
    "is not stored: the section is named on stderr, nothing is written, exit 1.\n"
    "A table whose image is larger than the display's 2047 bytes is written all the\n"
    "same, with a warning on stderr that names both sizes.\n"
    "\n"
    "  SECTION   OPEN:CLOSE:TEXT, OPEN an opening effect and CLOSE a closing effect, each\n"
    "            by its number or its name (as show prints them):\n";
constexpr char kHelpEnd[] =
    "            TEXT in UTF-8; \\xHH stands for the byte HH (glyph codes 01..1B),\n"
    "            \\\\ for a backslash. Other characters are stored in code page 936.\n"
    "            At most 32 sections. Instead of TEXT a section may hold a drawing,\n"
    "            as high as the mode's column (8 dots in English, 16 in Chinese):\n"
    "              picture=FILE  a PNG, JPEG, BMP, GIF or SVG picture scaled to that\n"
    "                            height; dark pixels light dots, transparent ones not\n"
    "              font=FAMILY[,bold][,italic]:TEXT  TEXT in an installed font, its\n"
    "                            size fitted to the height, drawn without smoothing\n"
    "              dots=FILE     rows of '#' (lit) and '.' (dark), top row first\n"
    "            A drawing is at most 255 columns wide (a wider picture is refused with\n"
    "            the width it would need). To store a text that starts with picture=,\n"
    "            font= or dots=, write its first letter as \\xHH.\n"
    "  --english texts of the English keyboard\n"
    "  --chinese glyph texts and Chinese characters\n"
    "  --threshold P  how dark, in percent (0..100, default 50), a picture's pixel must\n"
    "            be to light its dot\n"
    "  --invert  light pixels light the dots instead\n"
    "  --force   replace OUT when it exists\n";

struct NewArguments {
    std::string out;
    std::optional<bool> englishMode;
    bool force = false;
    std::vector<std::string> sections;
};

std::optional<int> HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

// TEXT with its escapes resolved and its characters in code page 936, or the reason not.
std::optional<std::string> DecodeText(std::string_view text, std::string& error) {
    std::string bytes;
    std::string literal;
    auto flushLiteral = [&]() {
        const std::optional<std::string> encoded = Utf8ToCodePage936(literal);
        if (!encoded) {
            error = "text '" + literal + "' cannot be stored in code page 936";
            return false;
        }
        bytes += *encoded;
        literal.clear();
        return true;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            literal += text[i];
            continue;
        }
        if (!flushLiteral()) {
            return std::nullopt;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            bytes += '\\';
            i += 1;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && HexValue(text[i + 2]) &&
                   HexValue(text[i + 3])) {
            bytes += static_cast<char>(*HexValue(text[i + 2]) * 16 + *HexValue(text[i + 3]));
            i += 3;
        } else {
            error = "a backslash must start \\xHH or \\\\";
            return std::nullopt;
        }
    }
    if (!flushLiteral()) {
        return std::nullopt;
    }
    return bytes;
}

// "  0 left-to-right, 1 right-to-left, ...", wrapped for the help.
template <typename Effect>
std::string EffectList(int count) {
    std::string list;
    std::size_t lineStart = 0;
    for (int number = 0; number < count; ++number) {
        const std::string item = std::to_string(number) + ' ' +
                                 std::string(EffectName(static_cast<Effect>(number))) +
                                 (number + 1 < count ? "," : "");
        if (list.size() - lineStart + item.size() + 1 > kHelpWidth) {
            list += "\n";
            lineStart = list.size();
            list += kHelpIndent;
        }
        list += ' ' + item;
    }
    return list + '\n';
}

std::string Help() {
    return std::string(kHelpStart) +
           "            opening:" + EffectList<OpenEffect>(kOpenOptionCount) +
           "            closing:" + EffectList<CloseEffect>(kCloseOptionCount) + kHelpEnd;
}

// A section argument: its effects and text, and the drawing it asks for instead, if any.
std::optional<LedSection> ParseSectionArgument(const std::string& argument, std::string& error,
                                               std::optional<DrawingArgument>* drawing = nullptr) {
    const std::size_t firstColon = argument.find(':');
    const std::size_t secondColon =
        firstColon == std::string::npos ? std::string::npos : argument.find(':', firstColon + 1);
    if (secondColon == std::string::npos) {
        error = "expected OPEN:CLOSE:TEXT";
        return std::nullopt;
    }
    const std::optional<OpenEffect> open =
        OpenEffectNamed(std::string_view(argument).substr(0, firstColon));
    const std::optional<CloseEffect> close = CloseEffectNamed(
        std::string_view(argument).substr(firstColon + 1, secondColon - firstColon - 1));
    if (!open || !close) {
        error =
            "OPEN must be an opening effect (0..8 or its name) and CLOSE a closing effect "
            "(0..6 or its name): see --help";
        return std::nullopt;
    }
    const std::string_view content = std::string_view(argument).substr(secondColon + 1);
    if (std::optional<DrawingArgument> asked = DrawingArgumentOf(content, error)) {
        if (drawing) {
            *drawing = std::move(asked);
        }
        return LedSection{{}, *open, *close};
    }
    if (!error.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> text = DecodeText(content, error);
    if (!text) {
        return std::nullopt;
    }
    return LedSection{*text, *open, *close};
}

// Fills `arguments` from a parsed command line; returns what is wrong with it, or an
// empty string.
std::string TakeArguments(const CommandLine& line, NewArguments& arguments) {
    const bool english = line.IsSet("english");
    if (english && line.IsSet("chinese")) {
        return "give either --english or --chinese, not both";
    }
    if (english || line.IsSet("chinese")) {
        arguments.englishMode = english;
    }
    arguments.force = line.IsSet("force");
    const std::vector<std::string> positional = line.Positional();
    if (positional.empty()) {
        return "expected OUT";
    }
    arguments.out = positional.front();
    // Without OUT the first section would name the file and go missing from the table.
    if (std::string ignored; ParseSectionArgument(arguments.out, ignored)) {
        return "expected OUT before the sections, got the section '" + arguments.out + "' (./" +
               arguments.out + " names a file so)";
    }
    arguments.sections.assign(positional.begin() + 1, positional.end());
    if (!arguments.englishMode) {
        return "expected --english or --chinese";
    }
    if (arguments.sections.size() > static_cast<std::size_t>(kSectionRows)) {
        return "at most " + std::to_string(kSectionRows) + " sections, got " +
               std::to_string(arguments.sections.size());
    }
    return {};
}

std::optional<int> PercentOf(const std::string& text) {
    constexpr int kMostPercent = 100;
    int value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kMostPercent) {
        return std::nullopt;
    }
    return value;
}

bool PathIsTaken(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// Why the table does not hold a text as given: the first character the mode does not have
// (and the mode that has it), or the cut, counted in the units of the section's limit.
// Empty when the text is stored whole.
std::string RefusedOrCut(const std::string& given, const EditResult& stored, bool englishMode) {
    if (stored.badCharacter) {
        const std::string refusal = stored.messages.front();
        if (englishMode && !HasBadChineseChar(given)) {
            return refusal + "; Chinese mode has it: give --chinese";
        }
        if (!englishMode && !HasBadEnglishChar(given)) {
            return refusal + "; English mode has it: give --english";
        }
        return refusal;
    }
    if (!stored.cut) {
        return {};
    }
    const std::string keeps = "the text is too long: the section keeps " +
                              std::to_string(stored.cut->kept) + " of its " +
                              std::to_string(stored.cut->given);
    if (englishMode) {
        return keeps + " bytes";
    }
    return keeps + " width units (2 for a Chinese character or wide glyph, 1 for a narrow one)";
}

int RunNew(const std::vector<std::string>& args) {
    CommandLine line(kCommand, Help());
    line.AddOption({"english"});
    line.AddOption({"chinese"});
    line.AddOption({"force"});
    line.AddOption({"threshold"}, "P");
    line.AddOption({"invert"});
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    NewArguments arguments;
    if (const std::string problem = TakeArguments(line, arguments); !problem.empty()) {
        return line.UsageError(problem);
    }
    drawing::PictureSettings pictures;
    if (const auto threshold = line.Value("threshold")) {
        const std::optional<int> percent = PercentOf(*threshold);
        if (!percent) {
            return line.UsageError("--threshold takes a whole number from 0 to 100");
        }
        pictures.threshold = *percent;
    }
    pictures.invert = line.IsSet("invert");
    LedFileContent content;
    content.englishMode = *arguments.englishMode;
    std::vector<std::optional<DrawingArgument>> drawings;
    for (std::size_t n = 0; n < arguments.sections.size(); ++n) {
        std::string error;
        std::optional<DrawingArgument>& drawing = drawings.emplace_back();
        const std::optional<LedSection> section =
            ParseSectionArgument(arguments.sections[n], error, &drawing);
        if (!section) {
            return line.UsageError("section " + std::to_string(n + 1) + ": " + error);
        }
        content.sections.push_back(*section);
    }
    for (std::size_t n = 0; n < drawings.size(); ++n) {
        if (!drawings[n]) {
            continue;
        }
        drawing::Made made = MakeDrawing(*drawings[n], DrawingRows(content.englishMode), pictures);
        if (!made.drawing) {
            std::cerr << ErrorPrefix(kCommand) << "section " << n + 1 << ": " << made.error
                      << "; nothing written\n";
            return 1;
        }
        content.sections[n].drawing = std::move(*made.drawing);
    }
    if (!arguments.force && PathIsTaken(arguments.out)) {
        std::cerr << "lumera-cli new: " << arguments.out << " exists; give --force to replace it\n";
        return 1;
    }
    const auto cannotWrite = [&arguments](const std::string& reason) {
        std::cerr << "lumera-cli new: " << arguments.out << " could not be written: " << reason
                  << '\n';
        return 1;
    };
    if (auto reason = UnstorableReason(content)) {
        return cannotWrite(*reason);
    }
    // The table's messages are not shown as they come: the line below names the section too.
    MessageTable table;
    const std::vector<EditResult> stored = table.Load(content.englishMode, content.sections);
    for (std::size_t n = 0; n < content.sections.size(); ++n) {
        const std::string problem =
            RefusedOrCut(content.sections[n].text, stored[n], content.englishMode);
        if (!problem.empty()) {
            std::cerr << "lumera-cli new: section " << n + 1 << ": " << problem
                      << "; nothing written\n";
            return 1;
        }
    }
    const LedFileContent kept = ContentOfTable(table);
    // Only a name the old kind of file owns gets it; any other gets the program's own kind.
    const bool messageFile = std::filesystem::path(arguments.out).extension() == ".led";
    if (auto reason =
            messageFile ? WriteLedFile(arguments.out, kept) : WriteTableFile(arguments.out, kept)) {
        return cannotWrite(*reason);
    }
    // The file is sound and kept, but Send would refuse it: say so now, not at the display.
    if (const auto measure = download::MeasureDownloadImage(table);
        measure.fit == download::ImageFit::TooLarge) {
        std::cerr << ErrorPrefix(kCommand) << "warning: " << download::TooLargeLine(measure.size)
                  << "; " << arguments.out << " is written all the same\n";
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write a message or table file from sections given as arguments", RunNew}};

}  // namespace
}  // namespace lumera::cli
