#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_image_io.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "decode";
constexpr char kHelp[] =
    "usage: lumera-cli decode IMAGE.bin\n"
    "\n"
    "Reads a download image (as 'image -o' writes it, or an emulated display's eeprom.bin)\n"
    "and prints 'mode: english|chinese', 'sections: N', 'bytes: S of 2047', then for every\n"
    "record 'n: open=I close=J columns=W' (0-based effects, -1 for none; W its length byte).\n"
    "Exit 1, naming the offset and the fault, when the image is malformed, or saying so\n"
    "when IMAGE is a message file (run 'image' on it first).\n";

// An effect's number, or -1 for a nibble that names none.
template <typename Effect>
int Printed(const std::optional<Effect>& effect) {
    return effect ? EffectNumber(*effect) : -1;
}

int RunDecode(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
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
    int n = 0;
    for (const download::ImageRecord& record : image->records) {
        std::cout << ++n << ": open=" << Printed(record.openEffect)
                  << " close=" << Printed(record.closeEffect)
                  << " columns=" << static_cast<int>(record.columns) << '\n';
    }
    return 0;
}

CliCommandRegistration registration{{kCommand, "print what a download image holds", RunDecode}};

}  // namespace
}  // namespace lumera::cli
