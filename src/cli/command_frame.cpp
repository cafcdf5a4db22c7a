#include <charconv>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "cli/cli_picture_options.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "editing/program_directory.h"
#include "render/led_preview.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "frame";
constexpr char kHelp[] =
    "usage: lumera-cli frame FILE [--tick N] [--color C] -o OUT.png\n"
    "\n"
    "Loads FILE (a .led message file or a .lumera table file, told apart by their content)\n"
    "as the window's Open does, starts the preview at section 1 and writes the\n"
    "LED simulation after N timer ticks of 50 ms as a 160 x 187 PNG. The holds between\n"
    "effects are not waited for and are no ticks. Glyph tables are read beside lumera-cli.\n"
    "\n"
    "  --tick N    the frame to write, 1 or more (default 1: the first frame)\n"
    "  --color C   LED colour 0 red, 1 green, 2 amber, 3 blue (default 0)\n"
    "  -o OUT.png  where to write the image; - writes it to standard output\n"
    "\n"
    "Exit 1 when the file is rejected, no section in use has a showable text, a glyph table\n"
    "cannot be read (then no image is written), or the image cannot be written.\n";

constexpr int kLedColorCount = 4;

int RunFrame(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
    line.AddOption({"tick"}, "N");
    line.AddOption({"color"}, "C");
    line.AddOption({"o"}, "OUT.png");
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    int ticks = 1;
    if (const auto given = line.Value("tick")) {
        const auto value = WholeNumberIn(*given, 1, 1'000'000);
        if (!value) {
            return line.UsageError("--tick wants a whole number from 1 on");
        }
        ticks = *value;
    }
    int color = 0;
    if (const auto given = line.Value("color")) {
        const auto value = WholeNumberIn(*given, 0, kLedColorCount - 1);
        if (!value) {
            return line.UsageError("--color wants 0, 1, 2 or 3");
        }
        color = *value;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() > 1) {
        return line.UsageError("unexpected argument '" + files[1] + "'");
    }
    const std::optional<std::string> output = line.Value("o");
    if (files.empty() || !output) {
        return line.UsageError("expected FILE and -o OUT.png");
    }
    const std::string& file = files.front();

    MessageTable table;
    if (!LoadIntoTable(kCommand, file, table)) {
        return 1;
    }
    table.SetCurrentSection(0);
    TableReportPrompter prompter;
    LedPreview preview(table, {LocateProgramFiles().dataDirectory, prompter});
    for (int i = 0; i < color; ++i) {
        preview.NextColor();
    }
    if (!preview.Start()) {
        std::cerr << "lumera-cli frame: " << file
                  << ": no section in use has a text with something other than blanks\n";
        return 1;
    }
    // Every tick of a running preview ends in one frame, once its hold is over.
    preview.Advance(ticks);
    if (prompter.Reported()) {
        return 1;
    }
    if (const auto failure = WritePngOutput(*output, preview.Image())) {
        std::cerr << "lumera-cli frame: cannot write " << *output << ": " << *failure << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write one preview frame of a message file as PNG", RunFrame}};

}  // namespace
}  // namespace lumera::cli
