#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumera::cli {

// The options of the commands that draw the LED simulation: one input file, -o OUT, and
// those of --tick, --color and --size the command takes.
struct PictureOptions {
    std::string input;
    std::string output;
    int tick = 1;
    int color = 0;
    int size = 0;  // 0: the preview's own size
};

struct PictureOptionSet {
    bool tick = false;
    bool size = false;
};

// Parses args; on a usage error prints it (naming `usage`) and returns nullopt.
std::optional<PictureOptions> ParsePictureOptions(std::string_view command,
                                                  const std::vector<std::string>& args,
                                                  PictureOptionSet accepted,
                                                  std::string_view usage);

}  // namespace lumera::cli
