#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
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

std::string ErrorPrefix(const std::string& command) {
    return command.empty() ? "lumera-cli: " : lumera::cli::ErrorPrefix(command);
}

// A standard stream the program was started without would lend its number to the next file
// opened, and what is printed would land in that file (a dump, the display's memory). The
// number is taken first: by /dev/full for the output streams, so what is printed is known to
// be lost, and by /dev/null for the input. Returns whether it was closed.
bool HoldClosedStream(int descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
        return false;
    }
    // Taken in order from 0, the lowest free number is this one.
    open(descriptor == STDIN_FILENO ? "/dev/null" : "/dev/full", O_RDWR);
    return true;
}

// A command that only prints has done nothing when its output is lost (a full disk, a
// closed pipe), so that fails it like a file that cannot be written.
int CheckedExit(const std::string& command, int exitCode, bool outputClosed) {
    errno = 0;
    std::cout.flush();
    const int reason = errno;
    if (std::cout.good() && std::ferror(stdout) == 0) {
        return exitCode;
    }
    if (exitCode != 0) {
        return exitCode;  // the command has reported its own failure
    }
    std::cerr << ErrorPrefix(command) << "standard output could not be written";
    if (outputClosed) {
        std::cerr << ": it is closed";
    } else if (reason != 0) {
        std::cerr << ": " << std::strerror(reason);
    }
    std::cerr << '\n';
    return 1;
}

int Run(int argc, char** argv, std::string& command) {
    if (argc < 2) {
        std::cerr << "lumera-cli: expected a command\n";
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
    for (const auto& known : lumera::cli::CliCommands()) {
        if (known.name == name) {
            command = name;
            return known.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::cerr << "lumera-cli: unknown command '" << name << "' (try 'lumera-cli --help')\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    HoldClosedStream(STDIN_FILENO);
    const bool outputClosed = HoldClosedStream(STDOUT_FILENO);
    HoldClosedStream(STDERR_FILENO);
    // A reader that goes away (send | head) must not end a transfer halfway and leave the
    // display with part of a table: the write fails instead, and is reported at the end.
    std::signal(SIGPIPE, SIG_IGN);
    std::string command;  // empty until a command is recognised
    const int exitCode = Run(argc, argv, command);
    return CheckedExit(command, exitCode, outputClosed);
}
