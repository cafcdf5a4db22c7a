#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "download/display_connection.h"
#include "download/download_texts.h"
#include "download/image_capacity.h"
#include "download/send_download.h"
#include "download/stream_prompter.h"
#include "editing/program_directory.h"
#include "outside/device_binding.h"

namespace lumera::cli {
namespace {

constexpr char kCommand[] = "send";
constexpr char kHelp[] =
    "usage: lumera-cli send FILE\n"
    "\n"
    "Loads FILE (a .led message file or a .lumera table file, told apart by their content)\n"
    "as the window's Open does, binds the device library as the window does\n"
    "(libZRUSB.so beside the program, then in ../lib/lumera, else the system's), builds\n"
    "the download image, writes it to USBSendData.bin and sends it to the display. Every\n"
    "message the window would show goes to stderr, one per line, in the same order. The\n"
    "progress shows as a percentage: updated in place when stderr is a terminal, otherwise\n"
    "one line per change on stdout, so stderr carries nothing but the messages. Exit 0\n"
    "only when the display took the whole image and the progress could be written.\n"
    "A table whose image is larger than the display's 2047 bytes is refused before\n"
    "anything is written or sent (exit 1). A standard output that goes away (a pipe into\n"
    "head) does not stop the transfer: the display gets the whole image, then exit 1.\n"
    "\n"
    "With ZRUSB_EMULATOR=DIR the device library talks to an emulated display kept in DIR,\n"
    "and the first line on stdout says so.\n";

// Messages on stderr, one per line. The progress is updated in place when stderr is a
// terminal; otherwise it goes to stdout as a line per change, because a reader of stderr
// must find the messages alone, in order.
class TerminalReport : public download::StreamPrompter {
public:
    TerminalReport() : StreamPrompter(std::cerr), inPlace_(isatty(STDERR_FILENO) == 1) {}

    void Message(const std::string& text) override {
        endProgressLine();
        StreamPrompter::Message(text);
        connectFailed_ = connectFailed_ || text == download::kConnectFailureText;
    }

    bool ConnectFailed() const { return connectFailed_; }

    void ShowProgress(const std::string& text) {
        if (text == shown_) {
            return;
        }
        if (inPlace_) {
            // Blanks wipe what a longer earlier text left behind.
            const std::size_t wipe = shown_.size() > text.size() ? shown_.size() - text.size() : 0;
            out() << '\r' << text << std::string(wipe, ' ') << '\r' << text << std::flush;
            lineOpen_ = !text.empty();
        } else if (!text.empty()) {
            std::cout << text << '\n' << std::flush;
        }
        shown_ = text;
    }

private:
    void endProgressLine() {
        if (lineOpen_) {
            out() << '\n';
            lineOpen_ = false;
        }
        shown_.clear();
    }

    bool inPlace_;
    bool lineOpen_ = false;
    bool connectFailed_ = false;
    std::string shown_;
};

int RunSend(const std::vector<std::string>& args) {
    CommandLine line(kCommand, kHelp);
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    const std::vector<std::string> files = line.Positional();
    if (files.size() != 1) {
        return line.UsageError("expected exactly one FILE");
    }
    // The window binds the device library when it starts, before any file is opened, so its
    // reports come first here too.
    TerminalReport report;
    const DeviceBinding binding = DeviceBinding::Bind(report);
    MessageTable table;
    if (!LoadIntoTable(kCommand, files.front(), table)) {
        return 1;
    }
    // The display would refuse such an image only after the probe, blaming its memory: say
    // what is wrong before anything is written or sent, as image does.
    if (const auto measure = download::MeasureDownloadImage(table);
        measure.fit == download::ImageFit::TooLarge) {
        std::cerr << ErrorPrefix(kCommand) << download::TooLargeLine(measure.size)
                  << "; nothing sent\n";
        return 1;
    }
    download::SendRequest request;
    const ProgramFiles programFiles = LocateProgramFiles();
    request.tableDirectory = programFiles.dataDirectory;
    request.dumpDirectory = programFiles.dumpDirectory;
    request.fallbackDumpDirectory = UserDataDirectory();
    request.device = binding.entryPoints();
    request.showProgress = [&report](const download::TransferProgress& progress) {
        report.ShowProgress(progress.text);
    };
    if (const auto folder = download::EmulatedDisplayFolder(); folder && binding.IsBound()) {
        std::cout << download::EmulatedDisplayNote(*folder) << '\n' << std::flush;
    }
    std::vector<std::uint8_t> sendData;
    const auto outcome = download::SendTable(table, request, report, sendData);
    if (binding.IsBound() && report.ConnectFailed()) {
        std::cerr << ErrorPrefix(kCommand) << download::kNoDisplayHelpText << '\n';
    }
    return outcome == download::SendOutcome::Delivered ? 0 : 1;
}

CliCommandRegistration registration{{kCommand, "send a message file to the display", RunSend}};

}  // namespace
}  // namespace lumera::cli
