#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr char kHelp[] =
    "usage: lumera-cli check FILE.led\n"
    "\n"
    "Loads FILE as the window's Open does and prints 'ok' when it is a sound message\n"
    "file (exit 0). Otherwise prints why it is rejected, with the line and field (exit 1).\n"
    "Messages the loading would show go to stderr.\n";

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
    return 0;
}

CliCommandRegistration registration{
    {"check", "tell whether a message file loads, or why not", RunCheck}};

}  // namespace
}  // namespace lumera::cli
