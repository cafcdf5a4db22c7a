#include "zrusb/emulated_transport.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "zrusb/emulated_display_files.h"
#include "zrusb/protocol.h"
#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPathPrefix = "emulated:";
constexpr const char* kManufacturer = "Lumera";
constexpr const char* kProduct = "Emulated LED display";
constexpr const char* kUnpluggedText = "the display was unplugged";

// The display's input report: byte 1 the status; byte 2 its complement, so that a reply
// read one byte off shows at once.
constexpr std::size_t kInputReportSize = 8;
constexpr std::size_t kInputStatusIndex = 1;
constexpr std::size_t kInputCheckIndex = 2;
using InputReport = std::array<unsigned char, kInputReportSize>;
// The number a display with numbered reports gives its input report.
constexpr unsigned char kInputReportId = 0x01;

std::string HexLine(const Packet& packet) {
    std::string line;
    for (const unsigned char byte : packet) {
        line += HexByte(byte);
    }
    return line + "\n";
}

InputReport ReportOf(unsigned char status) {
    InputReport report{};
    report[kInputStatusIndex] = status;
    report[kInputCheckIndex] = static_cast<unsigned char>(~status);
    return report;
}

}  // namespace

// What the display is, shared by every connection made to it.
struct EmulatedTransport::Display {
    std::filesystem::path directory;
    FaultPlan faults;
    EmulatedDisplay sequence;
    std::uint64_t packetsWritten = 0;
    bool unplugged = false;
    // Counts pluggings: each one gives the display a new path, as the bus would.
    unsigned plugging = 1;

    std::string Path() const {
        return kPathPrefix + directory.string() + "#" + std::to_string(plugging);
    }
    bool Present() const {
        return !unplugged && !faults.Absent() && !faults.Has(FaultKind::Open, packetsWritten + 1);
    }
    void Replug() {
        unplugged = false;
        ++plugging;
    }

    unsigned char Answer(const Packet& packet) {
        // An injected refusal means the display did not take the packet; an injected 0x80
        // only hides the display's own verdict.
        const auto injected = faults.StatusAt(packetsWritten);
        if (injected && *injected != status::kAccepted) {
            return *injected;
        }
        auto outcome = sequence.Receive(packet);
        if (outcome.completedImage && !Store(*outcome.completedImage)) {
            outcome.status = status::kStoreFailed;
        }
        return injected.value_or(outcome.status);
    }

    bool Log(const Packet& packet) const {
        const auto path = directory / kPacketLogName;
        // One write per line with O_APPEND, so a reader never sees part of a line.
        std::ofstream log(path, std::ios::binary | std::ios::app);
        log << HexLine(packet) << std::flush;
        if (!log) {
            Warn("cannot append to " + path.string() + ": " + std::strerror(errno));
            return false;
        }
        return true;
    }

    bool Store(const std::vector<unsigned char>& image) const {
        const auto path = directory / kMemoryFileName;
        // Written beside the target and renamed over it, so a reader sees the old memory or
        // the new one, never part of it.
        const auto temporary = directory / ("." + std::string(kMemoryFileName) + "." +
                                            std::to_string(getpid()) + ".tmp");
        {
            std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(image.data()),
                       static_cast<std::streamsize>(image.size()));
            file.close();
            if (!file) {
                Warn("cannot write " + temporary.string() + ": " + std::strerror(errno));
                std::error_code ignored;
                std::filesystem::remove(temporary, ignored);
                return false;
            }
        }
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (error) {
            Warn("cannot replace " + path.string() + ": " + error.message());
            std::filesystem::remove(temporary, error);
            return false;
        }
        return true;
    }
};

namespace {

// One open of the emulated display, with its own queue of input reports as a hidraw file
// has: closing it discards what was not read.
class EmulatedConnection : public HidConnection {
public:
    explicit EmulatedConnection(std::shared_ptr<EmulatedTransport::Display> display)
        : display_(std::move(display)), plugging_(display_->plugging) {}

    int Write(std::span<const unsigned char> report) override {
        if (!Attached()) {
            return Fail(kUnpluggedText);
        }
        auto& display = *display_;
        const std::uint64_t exchange = ++display.packetsWritten;
        const int result = Take(report, exchange);
        if (display.faults.Has(FaultKind::Replug, exchange)) {
            display.Replug();
        }
        return result;
    }

    int Read(std::span<unsigned char> report, int timeoutMs) override {
        if (!Attached()) {
            return Fail(kUnpluggedText);
        }
        const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        if (queue_.empty() || queue_.front().ready > deadline) {
            std::this_thread::sleep_until(deadline);
            return 0;
        }
        std::this_thread::sleep_until(queue_.front().ready);
        const Queued next = queue_.front();
        queue_.pop_front();
        if (next.lost) {
            return Fail("the reply was lost (injected fault)");
        }
        std::size_t at = 0;
        if (display_->faults.Numbered() && !report.empty()) {
            report[at++] = kInputReportId;
        }
        const std::size_t count = std::min(report.size() - at, next.report.size());
        std::copy_n(next.report.begin(), count, report.begin() + static_cast<std::ptrdiff_t>(at));
        return static_cast<int>(at + count);
    }

    std::string Error() const override { return error_; }

private:
    struct Queued {
        Clock::time_point ready;
        bool lost;
        InputReport report;
    };

    bool Attached() const { return !display_->unplugged && display_->plugging == plugging_; }

    int Fail(std::string why) {
        error_ = std::move(why);
        return -1;
    }

    // The display's side of one output report.
    int Take(std::span<const unsigned char> report, std::uint64_t exchange) {
        auto& display = *display_;
        const FaultPlan& faults = display.faults;
        if (faults.Has(FaultKind::Unplug, exchange)) {
            display.unplugged = true;
            return Fail(kUnpluggedText);
        }
        // A packet whose write fails never reached the display, so it is not logged either.
        if (faults.Has(FaultKind::Write, exchange)) {
            return Fail("the write failed (injected fault)");
        }
        if (report.size() != kPacketSize) {
            return Fail("a report of " + std::to_string(report.size()) + " bytes");
        }
        Packet packet;
        std::ranges::copy(report, packet.begin());
        if (!display.Log(packet)) {
            return Fail("cannot log the packet");
        }
        const unsigned char status = display.Answer(packet);
        if (!faults.Has(FaultKind::Silent, exchange)) {
            queue_.push_back({Clock::now() + std::chrono::milliseconds(faults.DelayAt(exchange)),
                              faults.Has(FaultKind::Read, exchange), ReportOf(status)});
        }
        return static_cast<int>(report.size());
    }

    std::shared_ptr<EmulatedTransport::Display> display_;
    unsigned plugging_;
    std::deque<Queued> queue_;
    std::string error_;
};

}  // namespace

EmulatedTransport::EmulatedTransport(std::filesystem::path directory)
    : display_(std::make_shared<Display>()) {
    display_->directory = std::move(directory);
}

const std::filesystem::path& EmulatedTransport::Directory() const {
    return display_->directory;
}

void EmulatedTransport::UseFaults(std::string_view faultList) {
    // The presence poll opens every two seconds; parse and warn only when the list changes.
    if (faultList == faultList_) {
        return;
    }
    faultList_ = faultList;
    auto parsed = FaultPlan::Parse(faultList);
    for (const auto& item : parsed.rejectedItems) {
        Warn("ignoring malformed ZRUSB_EMULATOR_FAULT item \"" + item + "\"");
    }
    display_->faults = std::move(parsed.plan);
    if (display_->unplugged) {
        display_->Replug();
    }
}

std::vector<HidDeviceInfo> EmulatedTransport::Enumerate(int vid, int pid) {
    if (vid != kDisplayVendorId || pid != kDisplayProductId || !PrepareDirectory() ||
        !display_->Present()) {
        return {};
    }
    return {{display_->Path(), kManufacturer, kProduct + (" in " + Directory().string()),
             display_->faults.Numbered()}};
}

std::unique_ptr<HidConnection> EmulatedTransport::OpenPath(const std::string& path) {
    if (!display_->Present() || path != display_->Path()) {
        error_ = "no emulated display at " + path;
        return nullptr;
    }
    return std::make_unique<EmulatedConnection>(display_);
}

bool EmulatedTransport::PrepareDirectory() {
    std::error_code error;
    std::filesystem::create_directories(Directory(), error);
    if (!error && std::filesystem::is_directory(Directory(), error)) {
        warnedAboutDirectory_ = false;
        return true;
    }
    error_ = "cannot use directory " + Directory().string() + (error ? ": " + error.message() : "");
    if (!warnedAboutDirectory_) {
        warnedAboutDirectory_ = true;
        Warn("emulated display unavailable, " + error_);
    }
    return false;
}

}  // namespace lumera::zrusb
