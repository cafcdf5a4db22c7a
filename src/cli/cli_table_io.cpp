#include "cli/cli_table_io.h"

#include <iostream>
#include <sstream>

#include "files/led_loader.h"

namespace lumera::cli {

constexpr int kUsageExitCode = 2;

std::string ErrorPrefix(std::string_view command) {
    return "lumera-cli " + std::string(command) + ": ";
}

int UsageError(std::string_view command, std::string_view what) {
    std::cerr << ErrorPrefix(command) << what << " (try 'lumera-cli " << command << " --help')\n";
    return kUsageExitCode;
}

bool LoadIntoTable(std::string_view command, const std::filesystem::path& path,
                   MessageTable& table) {
    const LoadResult load = LoadLedFile(path, table);
    for (const std::string& message : load.messages) {
        if (load.loaded) {
            std::cerr << message << '\n';
            continue;
        }
        // A refusal fails the command, so each of its lines names the tool like its other
        // errors; what the loading reports of a file it keeps is the window's text alone.
        std::istringstream lines(message);
        for (std::string line; std::getline(lines, line);) {
            std::cerr << ErrorPrefix(command) << line << '\n';
        }
    }
    return load.loaded;
}

}  // namespace lumera::cli
