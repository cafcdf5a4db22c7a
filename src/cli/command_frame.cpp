#include <charconv>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "editing/program_directory.h"
#include "render/led_preview.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "frame";
constexpr char kHelp[] =
    "usage: lumera-cli frame FILE.led [--tick N] [--color C] -o OUT.png\n"
    "\n"
    "Loads FILE as the window's Open does, starts the preview at section 1 and writes the\n"
    "LED simulation after N timer ticks of 50 ms as a 160 x 187 PNG. The holds between\n"
    "effects are not waited for and are no ticks. Glyph tables are read beside lumera-cli.\n"
    "\n"
    "  --tick N    the frame to write, 1 or more (default 1: the first frame)\n"
    "  --color C   LED colour 0 red, 1 green, 2 amber, 3 blue (default 0)\n"
    "  -o OUT.png  where to write the image\n"
    "\n"
    "Exit 1 when the file is rejected, no section in use has a showable text, or the image\n"
    "cannot be written.\n";

constexpr int kLedColorCount = 4;

// The terminal has no dialogs: every box goes to stderr and nothing is asked.
class TerminalPrompter : public Prompter {
public:
    void Message(const std::string& text) override { std::cerr << text << '\n'; }
    void Information(const std::string& text) override { std::cerr << text << '\n'; }
    bool Ask(const std::string& text) override {
        std::cerr << text << '\n';
        return false;
    }
    std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const std::string&) override { return std::nullopt; }
};

std::optional<int> NumberIn(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest) {
        return std::nullopt;
    }
    return value;
}

int RunFrame(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::cout << kHelp;
        return 0;
    }
    std::optional<std::string> file;
    std::optional<std::string> output;
    int ticks = 1;
    int color = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--tick" || arg == "--color" || arg == "-o";
        if (takesValue && i + 1 == args.size()) {
            return UsageError(kCommand, "'" + arg + "' needs a value");
        }
        if (arg == "--tick") {
            const auto value = NumberIn(args[++i], 1, 1'000'000);
            if (!value) {
                return UsageError(kCommand, "--tick wants a whole number from 1 on");
            }
            ticks = *value;
        } else if (arg == "--color") {
            const auto value = NumberIn(args[++i], 0, kLedColorCount - 1);
            if (!value) {
                return UsageError(kCommand, "--color wants 0, 1, 2 or 3");
            }
            color = *value;
        } else if (arg == "-o") {
            output = args[++i];
        } else if (arg.rfind("-", 0) == 0 || file) {
            return UsageError(kCommand, "unexpected argument '" + arg + "'");
        } else {
            file = arg;
        }
    }
    if (!file || !output) {
        return UsageError(kCommand, "expected FILE.led and -o OUT.png");
    }

    MessageTable table;
    if (!LoadIntoTable(*file, table)) {
        return 1;
    }
    table.SetCurrentSection(0);
    TerminalPrompter prompter;
    LedPreview preview(table, {LocateProgramFiles().dataDirectory, prompter});
    for (int i = 0; i < color; ++i) {
        preview.NextColor();
    }
    if (!preview.Start()) {
        std::cerr << "lumera-cli frame: " << *file
                  << ": no section in use has a text with something other than blanks\n";
        return 1;
    }
    // Every tick of a running preview ends in one frame, once its hold is over.
    preview.Advance(ticks);
    if (!preview.Image().save(QString::fromStdString(*output), "PNG")) {
        std::cerr << "lumera-cli frame: cannot write " << *output << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write one preview frame of a message file as PNG", RunFrame}};

}  // namespace
}  // namespace lumera::cli
