#include <iostream>

#include "cli/cli_capacity.h"
#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr char kHelp[] =
    "usage: lumera-cli check FILE.led\n"
    "\n"
    "Loads FILE as the window's Open does and prints 'ok' when it is a sound message\n"
    "file, then 'image: S of 2047 bytes', the size of the image Send would build (exit 0).\n"
    "Otherwise prints why it is rejected, with the line and field, or why its image does\n"
    "not fit the display (exit 1). Messages the loading would show go to stderr.\n";

int RunCheck(const std::vector<std::string>& args) {
    CommandLine line("check", kHelp);
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() != 1) {
        return line.UsageError("expected exactly one FILE.led");
    }
    MessageTable table;
    if (!LoadIntoTable(files.front(), table)) {
        return 1;
    }
    std::cout << "ok\n";
    const download::ImageMeasure measure = MeasureTable(table);
    std::cout << download::CapacityLine(measure) << '\n';
    if (measure.fit == download::ImageFit::TooLarge) {
        std::cout << "the image does not fit: the display stores at most "
                  << download::kDisplayCapacity << " bytes\n";
        return 1;
    }
    return measure.fit == download::ImageFit::SectionTooWide ? 1 : 0;
}

CliCommandRegistration registration{
    {"check", "tell whether a message file loads, or why not", RunCheck}};

}  // namespace
}  // namespace lumera::cli
