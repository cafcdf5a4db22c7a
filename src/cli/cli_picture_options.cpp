#include "cli/cli_picture_options.h"

#include <charconv>

#include "cli/cli_table_io.h"

namespace lumera::cli {
namespace {

constexpr int kLedColorCount = 4;
constexpr int kMostTicks = 1'000'000;
constexpr int kSmallestSize = 16;
constexpr int kLargestSize = 4096;

std::optional<int> NumberIn(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<PictureOptions> ParsePictureOptions(std::string_view command,
                                                  const std::vector<std::string>& args,
                                                  PictureOptionSet accepted,
                                                  std::string_view usage) {
    PictureOptions options;
    bool haveInput = false;
    const auto fail = [command](const std::string& what) -> std::optional<PictureOptions> {
        UsageError(command, what);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--color" ||
                                (accepted.tick && arg == "--tick") ||
                                (accepted.size && arg == "--size");
        if (takesValue && i + 1 == args.size()) {
            return fail("'" + arg + "' needs a value");
        }
        if (arg == "-o") {
            options.output = args[++i];
        } else if (arg == "--color") {
            const auto value = NumberIn(args[++i], 0, kLedColorCount - 1);
            if (!value) {
                return fail("--color wants 0, 1, 2 or 3");
            }
            options.color = *value;
        } else if (accepted.tick && arg == "--tick") {
            const auto value = NumberIn(args[++i], 1, kMostTicks);
            if (!value) {
                return fail("--tick wants a whole number from 1 on");
            }
            options.tick = *value;
        } else if (accepted.size && arg == "--size") {
            const auto value = NumberIn(args[++i], kSmallestSize, kLargestSize);
            if (!value) {
                return fail("--size wants a height in pixels from " +
                            std::to_string(kSmallestSize) + " to " + std::to_string(kLargestSize));
            }
            options.size = *value;
        } else if (arg.rfind("-", 0) == 0 || haveInput) {
            return fail("unexpected argument '" + arg + "'");
        } else {
            options.input = arg;
            haveInput = true;
        }
    }
    if (!haveInput || options.output.empty()) {
        return fail("expected " + std::string(usage));
    }
    return options;
}

}  // namespace lumera::cli
