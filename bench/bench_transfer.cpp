#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "counting_prompter.h"
#include "download/command_packets.h"
#include "download/usb_transfer.h"
#include "outside/device_binding.h"
#include "zrusb/emulated_display_files.h"

namespace {

using namespace lumera;
using lumera::bench::CountingPrompter;

// A display that takes every packet at once: what is left is the program's own cost.
int openAtOnce(int, int) {
    return 1;
}
void closeAtOnce(int) {}
int writeAtOnce(int, const unsigned char*, int count, int* written) {
    *written = count;
    return 1;
}
int readAtOnce(int, unsigned char* data, int count, int* read) {
    data[2] = 0x80;
    *read = count;
    return 1;
}
const DeviceEntryPoints kInstantDisplay{&openAtOnce, &closeAtOnce, &writeAtOnce, &readAtOnce};

std::vector<std::uint8_t> largestImage() {
    std::vector<std::uint8_t> image(wire::kDisplayCapacity);
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    return image;
}

void BM_ExchangeOverhead(benchmark::State& state) {
    CountingPrompter prompter;
    const download::CommandPacket packet{0x00, 0x40, 0x23, 1, 2, 3, 4, 5, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(download::SendCommand(packet, kInstantDisplay, prompter));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExchangeOverhead);

void BM_TransferLargestImageInstantDisplay(benchmark::State& state) {
    CountingPrompter prompter;
    const auto image = largestImage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(download::TransferImage(image, false, kInstantDisplay, prompter,
                                                         [](const download::TransferProgress&) {}));
    }
    state.counters["exchanges"] = image.size() / 5 + 3;
}
BENCHMARK(BM_TransferLargestImageInstantDisplay)->Unit(benchmark::kMicrosecond);

void BM_TransferLargestImageEmulatedDisplay(benchmark::State& state) {
    // A folder of this run's own, never a fixed name in the shared temporary folder.
    std::string directory =
        (std::filesystem::temp_directory_path() / "lumera-bench-XXXXXX").string();
    if (::mkdtemp(directory.data()) == nullptr) {
        state.SkipWithError("cannot make a folder for the emulated display");
        return;
    }
    setenv(zrusb::kEmulatorVariable, directory.c_str(), 1);
    unsetenv(zrusb::kEmulatorFaultVariable);
    CountingPrompter prompter;
    const DeviceBinding binding =
        DeviceBinding::Bind(prompter, std::filesystem::path(LUMERA_BIN_DIR) / "libZRUSB.so");
    if (!binding.IsBound()) {
        state.SkipWithError("libZRUSB.so is not built");
        std::filesystem::remove_all(directory);
        return;
    }
    const auto image = largestImage();
    for (auto _ : state) {
        if (download::TransferImage(image, false, binding.entryPoints(), prompter,
                                    [](const download::TransferProgress&) {}) !=
            download::TransferEnd::Delivered) {
            state.SkipWithError("the emulated display refused the image");
            break;
        }
    }
    state.counters["exchanges"] = image.size() / 5 + 3;
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_TransferLargestImageEmulatedDisplay)->Unit(benchmark::kMillisecond);

}  // namespace
