#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
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

// A whole number from text, within [lowest, highest]; nullopt for anything else.
std::optional<int> WholeNumberIn(const std::string& text, int lowest, int highest);

// The options, or the exit code when the command must stop here (help, version or a usage
// error, already reported; `usage` names what the command expects).
std::variant<PictureOptions, int> ParsePictureOptions(const std::string& command,
                                                      const std::string& help,
                                                      const std::vector<std::string>& args,
                                                      PictureOptionSet accepted,
                                                      std::string_view usage);

}  // namespace lumera::cli
