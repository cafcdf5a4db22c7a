#include "cli/cli_table_io.h"

#include <iostream>

#include "files/led_loader.h"

namespace lumera::cli {

constexpr int kUsageExitCode = 2;

int UsageError(std::string_view command, std::string_view what) {
    std::cerr << "lumera-cli " << command << ": " << what << " (try 'lumera-cli " << command
              << " --help')\n";
    return kUsageExitCode;
}

bool LoadIntoTable(const std::filesystem::path& path, MessageTable& table) {
    const LoadResult load = LoadLedFile(path, table);
    for (const std::string& message : load.messages) {
        std::cerr << message << '\n';
    }
    return load.loaded;
}

}  // namespace lumera::cli
