// The window's Send next to the terminal's (`lumera-cli send`'s core with its line-per-
// change progress), both carrying a table of 1.9 KB to the emulated display in this process.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/window/tform1.h"
#include "counting_prompter.h"
#include "download/send_download.h"
#include "editing/program_directory.h"
#include "figure_support.h"
#include "files/led_loader.h"
#include "outside/device_binding.h"

namespace {

using namespace lumera;
using namespace lumera::bench;

constexpr int kRows = 21;  // of 18 characters: an image just under the display's 2047 bytes

std::optional<fs::path> SendTable() {
    const fs::path table = FixtureDirectory() / "send.led";
    std::vector<std::string> argv{(MeasuredPrograms() / "lumera-cli").string(), "new",
                                  table.string(), "--english"};
    for (int row = 0; row < kRows; ++row) {
        argv.push_back("0:0:ABCDEFGHIJKLMNOPQR");
    }
    return Fixture(table.filename(), argv);
}

// A program folder of its own: the glyph tables of the programs measured, and the dump.
fs::path ProgramFolder() {
    const fs::path folder = FixtureDirectory() / "send-program";
    fs::create_directories(folder);
    for (const char* table :
         {"window_zr1.bin", "window_zr2.bin", "window_zr3.bin", "window_zr4.bin"}) {
        if (!fs::exists(folder / table)) {
            fs::create_symlink(MeasuredPrograms() / table, folder / table);
        }
    }
    return folder;
}

void UseEmulatedDisplay() {
    const fs::path emulated = FixtureDirectory() / "send-emulated-display";
    fs::create_directories(emulated);
    setenv("ZRUSB_EMULATOR", emulated.c_str(), 1);
    unsetenv("ZRUSB_EMULATOR_FAULT");
}

// The table both sends carry, on the emulated display; nullopt when it cannot be made (the
// benchmark is skipped).
std::optional<fs::path> PrepareSend(benchmark::State& state) {
    auto table = SendTable();
    if (!table) {
        state.SkipWithError("cannot make the table");
        return std::nullopt;
    }
    UseEmulatedDisplay();
    return table;
}

void BM_WindowSend(benchmark::State& state) {
    const auto table = PrepareSend(state);
    if (!table) {
        return;
    }
    CountingPrompter prompter;
    app::WindowSetup setup;
    setup.prompter = &prompter;
    setup.deviceLibrary = MeasuredPrograms() / "libZRUSB.so";
    setup.programDirectory = ProgramFolder();
    app::TForm1 window(setup);
    window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window does not show");
        return;
    }
    window.OpenNamedFile(table->string());
    for (auto _ : state) {
        window.BtnSendClick();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (prompter.shown != state.iterations()) {
        state.SkipWithError("a send failed");
    }
}
BENCHMARK(BM_WindowSend)->Unit(benchmark::kMillisecond);

void BM_TerminalSend(benchmark::State& state) {
    const auto table = PrepareSend(state);
    if (!table) {
        return;
    }
    CountingPrompter prompter;
    const DeviceBinding binding = DeviceBinding::Bind(prompter, MeasuredPrograms() / "libZRUSB.so");
    MessageTable loaded;
    if (!binding.IsBound() || !LoadLedFile(*table, loaded).loaded) {
        state.SkipWithError("cannot bind the device library or load the table");
        return;
    }
    std::ofstream progress(FixtureDirectory() / "send-progress.txt");
    download::SendRequest request;
    request.tableDirectory = MeasuredPrograms();
    request.dumpDirectory = ProgramFolder();
    request.device = binding.entryPoints();
    std::string shown;
    request.showProgress = [&](const download::TransferProgress& step) {
        if (step.text != shown && !step.text.empty()) {
            progress << step.text << '\n' << std::flush;
        }
        shown = step.text;
    };
    std::vector<std::uint8_t> sendData;
    for (auto _ : state) {
        if (download::SendTable(loaded, request, prompter, sendData) !=
            download::SendOutcome::Delivered) {
            state.SkipWithError("the emulated display refused the image");
            break;
        }
    }
}
BENCHMARK(BM_TerminalSend)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // On the screen the script provides; a run without one still measures, off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
