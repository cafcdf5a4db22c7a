#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "download/device_form_rasteriser.h"
#include "download/dump_file.h"
#include "download/image_capacity.h"
#include "download/send_download.h"
#include "download/stream_prompter.h"
#include "editing/program_directory.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "image";
constexpr char kHelp[] =
    "usage: lumera-cli image FILE [--force] -o OUT.bin\n"
    "\n"
    "Loads FILE (a .led message file or a .lumera table file, told apart by their content)\n"
    "as the window's Open does and writes to OUT the download image its Send\n"
    "would build, byte for byte. Like Send, it also writes the image to USBSendData.bin\n"
    "beside the program, or in the per-user data folder when the program is installed or\n"
    "its folder is not writable. Nothing is sent.\n"
    "Messages the window would show go to stderr, one per line.\n"
    "\n"
    "  --force     write an image larger than the display's 2047 bytes all the same\n"
    "  -o OUT.bin  where to write the image; - writes it to standard output\n"
    "\n"
    "Exit 1 when the file is rejected, nothing is showable, a glyph table cannot be read\n"
    "or the image is too large for the display without --force (then nothing is\n"
    "written), or a file cannot be written.\n";

int RunImage(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
    line.AddOption({"o"}, "OUT.bin");
    line.AddOption({"force"});
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    const std::vector<std::string> files = line.Positional();
    const std::string output = line.Value("o").value_or("");
    if (files.size() != 1 || output.empty()) {
        return line.UsageError("expected FILE -o OUT.bin");
    }
    MessageTable table;
    if (!LoadIntoTable(kCommand, files.front(), table)) {
        return 1;
    }
    download::StreamPrompter prompter(std::cerr);
    const ProgramFiles programFiles = LocateProgramFiles();
    TableReportPrompter tableReports;
    const auto rasterise = download::DeviceFormRasteriser(table.EnglishMode(),
                                                          programFiles.dataDirectory, tableReports);
    std::vector<std::uint8_t> sendData;
    if (download::PrepareDownloadImage(table, rasterise, prompter, sendData) ||
        tableReports.Reported()) {
        return 1;
    }
    if (download::FitOfSize(sendData.size()) == download::ImageFit::TooLarge &&
        !line.IsSet("force")) {
        std::cerr << "lumera-cli image: " << download::TooLargeLine(sendData.size())
                  << "; nothing written (--force writes it all the same)\n";
        return 1;
    }
    if (!download::WriteDumpFile(sendData, programFiles.dumpDirectory, UserDataDirectory(),
                                 prompter)) {
        return 1;
    }
    const std::string_view image(reinterpret_cast<const char*>(sendData.data()), sendData.size());
    if (const auto failure = WriteOutput(output, image)) {
        std::cerr << "lumera-cli image: cannot write " << output << ": " << *failure << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {kCommand, "write the download image of a message file", RunImage}};

}  // namespace
}  // namespace lumera::cli
