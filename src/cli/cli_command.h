#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumera::cli {

// A subcommand of lumera-cli. Each command file registers itself with a static
// CliCommandRegistration, so main() knows every command that was built in.
struct CliCommand {
    std::string name;
    std::string summary;  // one line for the overview
    // Arguments after the command name. Returns the process exit code.
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<CliCommand>& CliCommands();

struct CliCommandRegistration {
    explicit CliCommandRegistration(CliCommand command) {
        CliCommands().push_back(std::move(command));
    }
};

}  // namespace lumera::cli
