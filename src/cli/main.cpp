#include <algorithm>
#include <iostream>

#include "cli/cli_command.h"
#include "cli/command_line.h"

namespace lumera::cli {

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

}  // namespace lumera::cli

namespace {

void printOverview(std::ostream& out) {
    auto commands = lumera::cli::CliCommands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    out << "usage: lumera-cli COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& command : commands) {
        out << "  " << command.name
            << std::string(8 - std::min<std::size_t>(command.name.size(), 7), ' ')
            << command.summary << '\n';
    }
    out << "\n'lumera-cli COMMAND --help' describes one command; --version shows the version.\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printOverview(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(std::cout);
        return 0;
    }
    if (name == "--version") {
        std::cout << lumera::cli::VersionLine() << '\n';
        return 0;
    }
    for (const auto& command : lumera::cli::CliCommands()) {
        if (command.name == name) {
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::cerr << "lumera-cli: unknown command '" << name << "' (try 'lumera-cli --help')\n";
    return 2;
}
