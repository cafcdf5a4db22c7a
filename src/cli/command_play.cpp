#include <iostream>
#include <variant>

#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "cli/cli_picture_options.h"
#include "cli/cli_preview_source.h"
#include "cli/cli_table_io.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "play";
constexpr char kHelp[] =
    "usage: lumera-cli play IMAGE.bin [--tick N] [--color C] -o OUT.png\n"
    "\n"
    "Plays a download image (as 'image -o' writes it, or an emulated display's eeprom.bin)\n"
    "the way the display shows it: every record in turn, its own columns with its effects,\n"
    "from the record's last column to its first (a record carries its characters last first\n"
    "and each character's columns last first, so text reads right). Writes the LED\n"
    "simulation after N timer ticks of 50 ms as a 160 x 187 PNG; the holds between effects\n"
    "are not waited for and are no ticks.\n"
    "\n"
    "  --tick N    the frame to write, 1 or more (default 1: the first frame)\n"
    "  --color C   LED colour 0 red, 1 green, 2 amber, 3 blue (default 0)\n"
    "  -o OUT.png  where to write the image; - writes it to standard output\n"
    "\n"
    "Exit 1 when the image is malformed (naming the offset and fault) or is a message file\n"
    "(run 'image' on it first), or the PNG cannot be written.\n";

int RunPlay(const std::vector<std::string>& args) {
    const auto parsed = ParsePictureOptions(kCommand, kHelp, args, {.tick = true, .size = false},
                                            "IMAGE.bin and -o OUT.png");
    if (const int* exitCode = std::get_if<int>(&parsed)) {
        return *exitCode;
    }
    const PictureOptions* options = &std::get<PictureOptions>(parsed);
    const auto source = StartPreview(kCommand, options->input, SourceKind::DownloadImage,
                                     PictureSize(0), options->color);
    if (!source) {
        return 1;
    }
    source->preview->Advance(options->tick);
    if (const auto failure = WritePngOutput(options->output, source->preview->Image())) {
        std::cerr << "lumera-cli play: cannot write " << options->output << ": " << *failure
                  << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write one frame of a download image as the display plays it", RunPlay}};

}  // namespace
}  // namespace lumera::cli
