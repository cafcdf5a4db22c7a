#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"

namespace lumera::cli {
namespace {

constexpr char kHelp[] =
    "usage: lumera-cli check FILE.led\n"
    "\n"
    "Loads FILE as the window's Open does and prints 'ok' when it is a sound message\n"
    "file (exit 0). Otherwise prints why it is rejected, with the line and field (exit 1).\n"
    "Messages the loading would show go to stderr.\n";

int RunCheck(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::cout << kHelp;
        return 0;
    }
    if (args.size() != 1 || args[0].rfind("-", 0) == 0) {
        return UsageError("check", "expected exactly one FILE.led");
    }
    MessageTable table;
    if (!LoadIntoTable(args[0], table)) {
        return 1;
    }
    std::cout << "ok\n";
    return 0;
}

CliCommandRegistration registration{
    {"check", "tell whether a message file loads, or why not", RunCheck}};

}  // namespace
}  // namespace lumera::cli
