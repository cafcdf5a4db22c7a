#include "zrusb/hid_backend.h"

#include <hidapi.h>

#include <algorithm>
#include <vector>

#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

// A healthy display answers within a few milliseconds (interrupt polling plus storing a
// few bytes); a second is ample margin and still reports a silent display promptly
// instead of holding the caller, which waits on its window thread.
constexpr int kReplyTimeoutMs = 1000;
// hidraw queues at most this many input reports per open file.
constexpr int kMaxQueuedReports = 64;
constexpr std::size_t kLargestReport = 64;

std::vector<std::string> PathsOf(int vid, int pid) {
    std::vector<std::string> paths;
    hid_device_info* found =
        hid_enumerate(static_cast<unsigned short>(vid), static_cast<unsigned short>(pid));
    for (const hid_device_info* info = found; info != nullptr; info = info->next) {
        paths.emplace_back(info->path);
    }
    hid_free_enumeration(found);
    return paths;
}

}  // namespace

HidDevice::HidDevice(hid_device_* device, std::string path)
    : device_(device), path_(std::move(path)) {}

HidDevice::~HidDevice() {
    Drop();
}

void HidDevice::Drop() {
    if (device_ != nullptr) {
        hid_close(device_);
        device_ = nullptr;
    }
}

bool HidDevice::Write(const Packet& packet) {
    if (device_ == nullptr) {
        return false;
    }
    DiscardStaleReports();
    if (hid_write(device_, packet.data(), packet.size()) != static_cast<int>(packet.size())) {
        Drop();
        return false;
    }
    return true;
}

std::size_t HidDevice::Read(std::span<unsigned char> buffer) {
    if (device_ == nullptr) {
        return 0;
    }
    const int received = hid_read_timeout(device_, buffer.data(), buffer.size(), kReplyTimeoutMs);
    if (received <= 0) {
        // Closing also discards a reply that arrives late, which would otherwise be taken
        // for the answer to the next packet.
        Drop();
        return 0;
    }
    return static_cast<std::size_t>(received);
}

void HidDevice::DiscardStaleReports() {
    // The handle stays open between exchanges; a report queued meanwhile must not be read
    // as the reply to the packet about to go out.
    unsigned char report[kLargestReport];
    for (int i = 0; i < kMaxQueuedReports; ++i) {
        if (hid_read_timeout(device_, report, sizeof report, 0) <= 0) {
            return;
        }
    }
}

HidBackend::~HidBackend() {
    for (auto& [ids, device] : open_) {
        device->Drop();
    }
    if (initialised_) {
        hid_exit();
    }
}

std::shared_ptr<Device> HidBackend::Open(int vid, int pid) {
    if (!initialised_) {
        initialised_ = hid_init() == 0;
        if (!initialised_) {
            return nullptr;
        }
    }
    const auto paths = PathsOf(vid, pid);
    const std::pair ids{vid, pid};
    if (const auto held = open_.find(ids); held != open_.end()) {
        if (held->second->Usable() &&
            std::ranges::find(paths, held->second->Path()) != paths.end()) {
            return held->second;
        }
        // Unplugged, replugged or failed: close it, so that its handles stop working too.
        held->second->Drop();
        open_.erase(held);
    }
    if (paths.empty()) {
        return nullptr;
    }
    hid_device* opened = hid_open_path(paths.front().c_str());
    if (opened == nullptr) {
        if (reportedPath_ != paths.front()) {
            reportedPath_ = paths.front();
            Warn("cannot open the display at " + reportedPath_ +
                 "; without root this needs the udev rule 70-lumera-display.rules");
        }
        return nullptr;
    }
    reportedPath_.clear();
    auto device = std::make_shared<HidDevice>(opened, paths.front());
    open_.emplace(ids, device);
    return device;
}

}  // namespace lumera::zrusb
