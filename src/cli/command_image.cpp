#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "download/device_form_rasteriser.h"
#include "download/dump_file.h"
#include "download/send_download.h"
#include "download/stream_prompter.h"
#include "editing/program_directory.h"

namespace lumera::cli {
namespace {

constexpr char kHelp[] =
    "usage: lumera-cli image FILE.led -o OUT.bin\n"
    "\n"
    "Loads FILE as the window's Open does and writes to OUT the download image its Send\n"
    "would build, byte for byte. Like Send, it also writes the image to USBSendData.bin\n"
    "beside the program, or in the per-user data folder when the program is installed\n"
    "or its folder is not writable.\n"
    "Nothing is sent. Messages the window would show go to stderr, one per line.\n"
    "Exit 1 when the file is rejected, nothing is showable or a file cannot be written.\n";

bool writeImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    out.close();
    return !out.fail();
}

int RunImage(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::cout << kHelp;
        return 0;
    }
    std::vector<std::string> files;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size()) {
                return UsageError("image", "-o needs a file name");
            }
            output = args[++i];
        } else if (args[i].rfind("-", 0) == 0) {
            return UsageError("image", "unknown option '" + args[i] + "'");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1 || output.empty()) {
        return UsageError("image", "expected FILE.led -o OUT.bin");
    }
    MessageTable table;
    if (!LoadIntoTable(files.front(), table)) {
        return 1;
    }
    download::StreamPrompter prompter(std::cerr);
    const ProgramFiles programFiles = LocateProgramFiles();
    const auto rasterise =
        download::DeviceFormRasteriser(table.EnglishMode(), programFiles.dataDirectory, prompter);
    std::vector<std::uint8_t> sendData;
    if (download::PrepareDownloadImage(table, rasterise, prompter, sendData)) {
        return 1;
    }
    if (!download::WriteDumpFile(sendData, programFiles.dumpDirectory, UserDataDirectory(),
                                 prompter)) {
        return 1;
    }
    if (!writeImage(output, sendData)) {
        std::cerr << "lumera-cli image: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}

CliCommandRegistration registration{
    {"image", "write the download image of a message file", RunImage}};

}  // namespace
}  // namespace lumera::cli
