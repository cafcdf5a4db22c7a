#include "cli/cli_picture_options.h"

#include <charconv>

#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr int kLedColorCount = 4;
constexpr int kMostTicks = 1'000'000;
constexpr int kSmallestSize = 16;
constexpr int kLargestSize = 4096;

}  // namespace

std::optional<int> WholeNumberIn(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest) {
        return std::nullopt;
    }
    return value;
}

std::variant<PictureOptions, int> ParsePictureOptions(const std::string& command,
                                                      const std::string& help,
                                                      const std::vector<std::string>& args,
                                                      PictureOptionSet accepted,
                                                      std::string_view usage) {
    CommandLine line(command, help);
    line.AddOption({"o"}, "OUT");
    line.AddOption({"color"}, "C");
    if (accepted.tick) {
        line.AddOption({"tick"}, "N");
    }
    if (accepted.size) {
        line.AddOption({"size"}, "PX");
    }
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    PictureOptions options;
    if (const auto given = line.Value("color")) {
        const auto value = WholeNumberIn(*given, 0, kLedColorCount - 1);
        if (!value) {
            return line.UsageError("--color wants 0, 1, 2 or 3");
        }
        options.color = *value;
    }
    if (const auto given = accepted.tick ? line.Value("tick") : std::nullopt) {
        const auto value = WholeNumberIn(*given, 1, kMostTicks);
        if (!value) {
            return line.UsageError("--tick wants a whole number from 1 on");
        }
        options.tick = *value;
    }
    if (const auto given = accepted.size ? line.Value("size") : std::nullopt) {
        const auto value = WholeNumberIn(*given, kSmallestSize, kLargestSize);
        if (!value) {
            return line.UsageError("--size wants a height in pixels from " +
                                   std::to_string(kSmallestSize) + " to " +
                                   std::to_string(kLargestSize));
        }
        options.size = *value;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() > 1) {
        return line.UsageError("unexpected argument '" + files[1] + "'");
    }
    options.output = line.Value("o").value_or("");
    if (files.empty() || options.output.empty()) {
        return line.UsageError("expected " + std::string(usage));
    }
    options.input = files.front();
    return options;
}

}  // namespace lumera::cli
