#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "editing/code_page_936.h"
#include "files/led_content.h"
#include "files/led_saver.h"
#include "files/led_table.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "new";
constexpr char kHelp[] =
    "usage: lumera-cli new OUT.led --english|--chinese [--force] SECTION...\n"
    "\n"
    "Builds a table as loading a file would (every text goes through the same checks\n"
    "and length rules as typing) and writes it to OUT as the window's Save does.\n"
    "Messages of those checks go to stderr.\n"
    "\n"
    "  SECTION   OPEN:CLOSE:TEXT, OPEN an opening effect 0..8, CLOSE a closing effect 0..6,\n"
    "            TEXT in UTF-8; \\xHH stands for the byte HH (glyph codes 01..1B),\n"
    "            \\\\ for a backslash. Other characters are stored in code page 936.\n"
    "            At most 32 sections.\n"
    "  --english texts of the English keyboard\n"
    "  --chinese glyph texts and Chinese characters\n"
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

std::optional<int> OptionDigit(std::string_view field, int last) {
    if (field.size() != 1 || field[0] < '0' || field[0] - '0' > last) {
        return std::nullopt;
    }
    return field[0] - '0';
}

std::optional<LedSection> ParseSectionArgument(const std::string& argument, std::string& error) {
    const std::size_t firstColon = argument.find(':');
    const std::size_t secondColon =
        firstColon == std::string::npos ? std::string::npos : argument.find(':', firstColon + 1);
    if (secondColon == std::string::npos) {
        error = "expected OPEN:CLOSE:TEXT";
        return std::nullopt;
    }
    const std::optional<int> open =
        OptionDigit(std::string_view(argument).substr(0, firstColon), kOpenOptionCount - 1);
    const std::optional<int> close =
        OptionDigit(std::string_view(argument).substr(firstColon + 1, secondColon - firstColon - 1),
                    kCloseOptionCount - 1);
    if (!open || !close) {
        error = "OPEN must be 0..8 and CLOSE 0..6";
        return std::nullopt;
    }
    const std::optional<std::string> text =
        DecodeText(std::string_view(argument).substr(secondColon + 1), error);
    if (!text) {
        return std::nullopt;
    }
    return LedSection{*text, *open, *close};
}

// Fills `arguments`; returns what is wrong with the command line, or an empty string.
std::string ParseArguments(const std::vector<std::string>& args, NewArguments& arguments) {
    for (const std::string& arg : args) {
        if (arg == "--english" || arg == "--chinese") {
            const bool english = arg == "--english";
            if (arguments.englishMode && *arguments.englishMode != english) {
                return "give either --english or --chinese, not both";
            }
            arguments.englishMode = english;
        } else if (arg == "--force") {
            arguments.force = true;
        } else if (arg.rfind("--", 0) == 0) {
            return "unknown option '" + arg + "'";
        } else if (arguments.out.empty()) {
            arguments.out = arg;
        } else {
            arguments.sections.push_back(arg);
        }
    }
    if (arguments.out.empty()) {
        return "expected OUT.led";
    }
    if (!arguments.englishMode) {
        return "expected --english or --chinese";
    }
    if (arguments.sections.size() > static_cast<std::size_t>(kSectionRows)) {
        return "at most " + std::to_string(kSectionRows) + " sections, got " +
               std::to_string(arguments.sections.size());
    }
    return {};
}

bool PathIsTaken(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

int RunNew(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::cout << kHelp;
        return 0;
    }
    NewArguments arguments;
    if (const std::string problem = ParseArguments(args, arguments); !problem.empty()) {
        return UsageError(kCommand, problem);
    }
    LedFileContent content;
    content.englishMode = *arguments.englishMode;
    for (std::size_t n = 0; n < arguments.sections.size(); ++n) {
        std::string error;
        const std::optional<LedSection> section =
            ParseSectionArgument(arguments.sections[n], error);
        if (!section) {
            return UsageError(kCommand, "section " + std::to_string(n + 1) + ": " + error);
        }
        content.sections.push_back(*section);
    }
    if (!arguments.force && PathIsTaken(arguments.out)) {
        std::cerr << "lumera-cli new: " << arguments.out << " exists; give --force to replace it\n";
        return 1;
    }
    MessageTable table;
    for (const std::string& message : ApplyLedContent(content, table)) {
        std::cerr << message << '\n';
    }
    if (auto reason = WriteLedFile(arguments.out, ContentOfTable(table))) {
        std::cerr << "lumera-cli new: " << arguments.out << " could not be written: " << *reason
                  << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write a message file from sections given as arguments", RunNew}};

}  // namespace
}  // namespace lumera::cli
