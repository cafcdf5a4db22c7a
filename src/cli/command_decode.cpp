#include <iostream>
#include <string_view>

#include "cli/cli_command.h"
#include "cli/cli_image_io.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "decode";
constexpr char kHelp[] =
    "usage: lumera-cli decode [--raw] IMAGE.bin\n"
    "\n"
    "Reads a download image (as 'image -o' writes it, or an emulated display's eeprom.bin)\n"
    "and prints 'mode: english|chinese', 'sections: N', 'bytes: S of 2047', then for every\n"
    "record 'n: open=O close=C columns=W': its effects by the names show prints and new\n"
    "takes ('none' for a nibble that names no effect), W its length byte.\n"
    "Exit 1, naming the offset and the fault, when the image is malformed, or saying so\n"
    "when IMAGE is a message file (run 'image' on it first).\n"
    "\n"
    "  --raw   the effects by their 0-based numbers, -1 for none\n";

constexpr char kNoEffect[] = "none";

// An effect's number, or -1 for a nibble that names none.
template <typename Effect>
int Printed(const std::optional<Effect>& effect) {
    return effect ? EffectNumber(*effect) : -1;
}

// An effect's name, as show prints it.
template <typename Effect>
std::string_view Named(const std::optional<Effect>& effect) {
    return effect ? EffectName(*effect) : kNoEffect;
}

int RunDecode(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
    line.AddOption({"raw"});
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() != 1) {
        return line.UsageError("expected exactly one IMAGE.bin");
    }
    const auto image = ReadImageFile(kCommand, files.front());
    if (!image) {
        return 1;
    }
    std::cout << "mode: " << (image->englishMode ? "english" : "chinese") << '\n'
              << "sections: " << image->records.size() << '\n'
              << "bytes: " << image->size << " of " << download::kDisplayCapacity << '\n';
    const bool raw = line.IsSet("raw");
    int n = 0;
    for (const download::ImageRecord& record : image->records) {
        std::cout << ++n << ": open=";
        if (raw) {
            std::cout << Printed(record.openEffect) << " close=" << Printed(record.closeEffect);
        } else {
            std::cout << Named(record.openEffect) << " close=" << Named(record.closeEffect);
        }
        std::cout << " columns=" << static_cast<int>(record.columns) << '\n';
    }
    return 0;
}

CliCommandRegistration registration{{kCommand, "print what a download image holds", RunDecode}};

}  // namespace
}  // namespace lumera::cli
