#include <iostream>
#include <variant>

#include "animation/preview_animation.h"
#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "cli/cli_picture_options.h"
#include "cli/cli_preview_source.h"
#include "cli/cli_table_io.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "animate";
constexpr char kHelp[] =
    "usage: lumera-cli animate FILE|IMAGE.bin [--color C] [--size PX] -o OUT.gif\n"
    "\n"
    "Writes one full cycle of every showable section as an animated GIF that loops: a\n"
    "message or table file (.led, .lumera) as the window's preview plays it, a download\n"
    "image as the display plays it. Frame k is the picture 'frame --tick k' (or 'play\n"
    "--tick k') draws; it stays 5/100 s, and 100/100 s more for each hold before the next\n"
    "frame.\n"
    "\n"
    "  --color C   LED colour 0 red, 1 green, 2 amber, 3 blue (default 0)\n"
    "  --size PX   picture height in pixels, 16 to 4096, the width in proportion\n"
    "              (default 187: the preview's 160 x 187)\n"
    "  -o OUT.gif  where to write the animation, replacing an existing file whole;\n"
    "              - writes it to standard output\n"
    "\n"
    "Exit 1 when the input is refused, nothing is showable, a glyph table cannot be read\n"
    "(then nothing is written), a section's effect never ends or the file cannot be written.\n";

int RunAnimate(const std::vector<std::string>& args) {
    const auto parsed = ParsePictureOptions(kCommand, kHelp, args, {.tick = false, .size = true},
                                            "FILE or IMAGE.bin and -o OUT.gif");
    if (const int* exitCode = std::get_if<int>(&parsed)) {
        return *exitCode;
    }
    const PictureOptions* options = &std::get<PictureOptions>(parsed);
    const auto source = StartPreview(kCommand, options->input, SourceKind::MessageFileOrImage,
                                     PictureSize(options->size), options->color);
    if (!source) {
        return 1;
    }
    const AnimationBytes animation = EncodeAnimation(*source->preview);
    if (!animation.gif) {
        std::cerr << "lumera-cli animate: " << animation.error << '\n';
        return 1;
    }
    // The tables are read section by section while the cycle is drawn: an animation with
    // blank cells for the text is no animation of the table, and the old file stays.
    if (source->prompter.Reported()) {
        return 1;
    }
    if (const auto failure = WriteOutput(options->output, *animation.gif)) {
        std::cerr << "lumera-cli animate: cannot write " << options->output << ": " << *failure
                  << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write one cycle of the preview as an animated GIF", RunAnimate}};

}  // namespace
}  // namespace lumera::cli
