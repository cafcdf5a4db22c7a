#include "zrusb/emulated_transport.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "zrusb/emulated_display_files.h"
#include "zrusb/emulated_endpoint.h"
#include "zrusb/protocol.h"
#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPathPrefix = "emulated:";
constexpr const char* kManufacturer = "Lumera";
constexpr const char* kProduct = "Emulated LED display";
constexpr const char* kUnpluggedText = "the display was unplugged";

}  // namespace

// What the display is, shared by every connection made to it.
struct EmulatedTransport::Display {
    EmulatedEndpoint endpoint;
    bool unplugged = false;
    // Counts pluggings: each one gives the display a new path, as the bus would.
    unsigned plugging = 1;

    std::string Path() const {
        return kPathPrefix + endpoint.Directory().string() + "#" + std::to_string(plugging);
    }
    bool Present() const {
        const FaultPlan& faults = endpoint.Faults();
        return !unplugged && !faults.Absent() &&
               !faults.Has(FaultKind::Open, endpoint.Exchanges() + 1);
    }
    void Replug() {
        unplugged = false;
        ++plugging;
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
        const std::uint64_t exchange = display.endpoint.BeginExchange();
        const int result = Take(report, exchange);
        if (display.endpoint.Faults().Has(FaultKind::Replug, exchange)) {
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
        const std::size_t count = std::min(report.size(), next.report.size());
        std::copy_n(next.report.begin(), count, report.begin());
        return static_cast<int>(count);
    }

    std::string Error() const override { return error_; }

private:
    struct Queued {
        Clock::time_point ready;
        bool lost;
        std::vector<unsigned char> report;
    };

    bool Attached() const { return !display_->unplugged && display_->plugging == plugging_; }

    int Fail(std::string why) {
        error_ = std::move(why);
        return -1;
    }

    // The cable's faults, then the display's side of one output report.
    int Take(std::span<const unsigned char> report, std::uint64_t exchange) {
        auto& display = *display_;
        const FaultPlan& faults = display.endpoint.Faults();
        if (faults.Has(FaultKind::Unplug, exchange)) {
            display.unplugged = true;
            return Fail(kUnpluggedText);
        }
        // A packet whose write fails never reached the display, so it is not logged either.
        if (faults.Has(FaultKind::Write, exchange)) {
            return Fail("the write failed (injected fault)");
        }
        auto taken = display.endpoint.Take(report, exchange);
        if (!taken.error.empty()) {
            return Fail(taken.error);
        }
        if (taken.reply) {
            queue_.push_back({Clock::now() + taken.reply->delay, taken.reply->lost,
                              std::move(taken.reply->report)});
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
    : display_(std::make_shared<Display>(Display{EmulatedEndpoint(std::move(directory))})) {}

const std::filesystem::path& EmulatedTransport::Directory() const {
    return display_->endpoint.Directory();
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
    display_->endpoint.UseFaults(std::move(parsed.plan));
    if (display_->unplugged) {
        display_->Replug();
    }
}

std::vector<HidDeviceInfo> EmulatedTransport::Enumerate(int vid, int pid) {
    if (vid != kDisplayVendorId || pid != kDisplayProductId || !PrepareDirectory() ||
        !display_->Present()) {
        return {};
    }
    const unsigned char reportId = display_->endpoint.ReportId();
    return {{display_->Path(), kManufacturer, kProduct + (" in " + Directory().string()),
             reportId != 0, reportId}};
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
