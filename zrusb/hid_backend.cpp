#include "zrusb/hid_backend.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "zrusb/trace.h"
#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

// A healthy display answers within a few milliseconds (interrupt polling plus storing a
// few bytes); a second is ample margin and still reports a silent display promptly
// instead of holding the caller, which waits on its window thread. It is the only wait.
constexpr int kReplyTimeoutMs = 1000;
// hidraw queues at most this many input reports per open file.
constexpr int kMaxQueuedReports = 64;
constexpr std::size_t kLargestReport = 64;

bool IsPermissionRefusal(int errorNumber) {
    return errorNumber == EACCES || errorNumber == EPERM;
}

}  // namespace

HidDevice::HidDevice(std::unique_ptr<HidConnection> connection, HidDeviceInfo info)
    : connection_(std::move(connection)), info_(std::move(info)) {}

bool HidDevice::Write(const Packet& packet) {
    if (!connection_) {
        return false;
    }
    DiscardStaleReports();
    // Report number 0 is the caller's "the display's report": a device that numbers its
    // reports only takes an output report under the number its descriptor gives it.
    Packet report = packet;
    if (report[0] == 0) {
        report[0] = info_.outputReportId;
    }
    const int written = connection_->Write(report);
    if (written != static_cast<int>(report.size())) {
        Trace("write", Path(), report, "failed: " + connection_->Error());
        Drop();
        return false;
    }
    Trace("write", Path(), report);
    return true;
}

std::size_t HidDevice::Read(std::span<unsigned char> buffer) {
    if (!connection_) {
        return 0;
    }
    std::array<unsigned char, kLargestReport + 1> report{};
    // An unnumbered input report goes in one byte along, behind the report number 0.
    const std::size_t numberBytes = info_.numberedReports ? 0 : 1;
    const int received =
        connection_->Read(std::span(report).subspan(numberBytes, kLargestReport), kReplyTimeoutMs);
    if (received <= 0) {
        Trace("read", Path(), {},
              received == 0 ? "no reply within " + std::to_string(kReplyTimeoutMs) + " ms"
                            : "failed: " + connection_->Error());
        // Closing also discards a reply that arrives late, which would otherwise be taken
        // for the answer to the next packet.
        Drop();
        return 0;
    }
    const std::size_t length = numberBytes + static_cast<std::size_t>(received);
    // A report too short to reach the status byte is no reply: the caller would read
    // whatever its buffer held before.
    if (length < std::min(buffer.size(), kReplySize)) {
        Trace("read", Path(), std::span(report).first(length), "too short for a reply");
        return 0;
    }
    Trace("read", Path(), std::span(report).first(length));
    const std::size_t count = std::min(buffer.size(), length);
    std::copy_n(report.begin(), count, buffer.begin());
    return count;
}

void HidDevice::DiscardStaleReports() {
    // The connection stays open between exchanges; a report queued meanwhile must not be
    // read as the reply to the packet about to go out.
    std::array<unsigned char, kLargestReport> report{};
    for (int i = 0; i < kMaxQueuedReports; ++i) {
        const int received = connection_->Read(report, 0);
        if (received <= 0) {
            return;
        }
        Trace("discard", Path(), std::span(report).first(static_cast<std::size_t>(received)));
    }
}

void HidBackend::UseTransport(const std::shared_ptr<HidTransport>& transport) {
    if (transport_ == transport) {
        return;
    }
    for (auto& [ids, device] : open_) {
        device->Drop();
    }
    open_.clear();
    transport_ = transport;
}

std::shared_ptr<Device> HidBackend::Open(const std::shared_ptr<HidTransport>& transport, int vid,
                                         int pid) {
    UseTransport(transport);
    const auto found = transport->Enumerate(vid, pid);
    const std::pair ids{vid, pid};
    if (const auto held = open_.find(ids); held != open_.end()) {
        const bool stillThere = std::ranges::any_of(
            found, [&](const HidDeviceInfo& info) { return info.path == held->second->Path(); });
        if (held->second->Usable() && stillThere) {
            return held->second;
        }
        // Unplugged, replugged or failed: close it, so that its handles stop working too.
        held->second->Drop();
        open_.erase(held);
    }
    if (found.empty()) {
        return nullptr;
    }
    auto connection = transport->OpenPath(found.front().path);
    if (!connection) {
        if (reportedPath_ != found.front().path) {
            reportedPath_ = found.front().path;
            Warn("cannot open the display at " + reportedPath_ + " (" + transport->Error() + ")" +
                 (IsPermissionRefusal(transport->ErrorNumber())
                      ? "; without root this needs the udev rule 70-lumera-display.rules"
                      : ""));
        }
        return nullptr;
    }
    reportedPath_.clear();
    auto device = std::make_shared<HidDevice>(std::move(connection), found.front());
    open_.emplace(ids, device);
    return device;
}

std::vector<FoundDevice> HidBackend::List(const std::shared_ptr<HidTransport>& transport, int vid,
                                          int pid) {
    UseTransport(transport);
    std::vector<FoundDevice> listed;
    for (auto& info : transport->Enumerate(vid, pid)) {
        const auto held = open_.find({vid, pid});
        const bool alreadyOpen =
            held != open_.end() && held->second->Usable() && held->second->Path() == info.path;
        const bool openable = alreadyOpen || transport->OpenPath(info.path) != nullptr;
        listed.push_back({std::move(info), openable, openable ? "" : transport->Error(),
                          openable ? 0 : transport->ErrorNumber()});
    }
    return listed;
}

}  // namespace lumera::zrusb
