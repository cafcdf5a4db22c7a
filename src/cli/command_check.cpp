#include <iostream>

#include "cli/cli_capacity.h"
#include "cli/cli_command.h"
#include "cli/cli_image_io.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "check";
constexpr char kHelp[] =
    "usage: lumera-cli check FILE\n"
    "\n"
    "Loads FILE (a .led message file or a .lumera table file, told apart by their content)\n"
    "as the window's Open does and prints 'ok' when it is a sound file whose image fits\n"
    "the display, then 'image: S of 2047 bytes', the size of the image Send would build\n"
    "(exit 0). Otherwise prints only why it is rejected, with the line and field, or why\n"
    "its image does not fit the display (exit 1). Messages the loading would show go to\n"
    "stderr. A download image is named as one (exit 1).\n";

int RunCheck(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
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
    const download::ImageMeasure measure = MeasureTable(table);
    // "ok" is the verdict on the whole file, so a table the display cannot take never gets it.
    switch (measure.fit) {
        case download::ImageFit::TooLarge:
            std::cout << download::TooLargeLine(measure.size) << '\n';
            return 1;
        case download::ImageFit::SectionTooWide:
            std::cout << download::CapacityLine(measure) << '\n';
            return 1;
        case download::ImageFit::Fits:
        case download::ImageFit::NothingToSend:
            break;
    }
    std::cout << "ok\n" << download::CapacityLine(measure) << '\n';
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "tell whether a message file loads, or why not", RunCheck}};

}  // namespace
}  // namespace lumera::cli
