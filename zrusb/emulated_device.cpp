#include "zrusb/emulated_device.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

constexpr const char* kPacketLogName = "packets.log";
constexpr const char* kMemoryFileName = "eeprom.bin";

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::string HexLine(const Packet& packet) {
    std::string line;
    for (const unsigned char byte : packet) {
        line += kHexDigits[byte >> 4];
        line += kHexDigits[byte & 0x0F];
    }
    return line + "\n";
}

}  // namespace

EmulatedDevice::EmulatedDevice(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

bool EmulatedDevice::Reachable() const {
    return !retired_ && !faults_.Absent() && !faults_.Has(FaultKind::Open, packetsWritten_ + 1);
}

bool EmulatedDevice::Write(const Packet& packet) {
    const std::uint64_t exchange = ++packetsWritten_;
    pendingReply_.reset();
    // A packet whose write fails never reached the display, so it is not logged either.
    if (faults_.Has(FaultKind::Write, exchange) || !Log(packet)) {
        return false;
    }
    Reply reply{};
    reply[kReplyStatusIndex] = Answer(packet);
    pendingReply_ = reply;
    return true;
}

std::size_t EmulatedDevice::Read(std::span<unsigned char> buffer) {
    const auto reply = std::exchange(pendingReply_, std::nullopt);
    if (!reply || faults_.Has(FaultKind::Read, packetsWritten_)) {
        return 0;
    }
    const std::size_t count = std::min(buffer.size(), reply->size());
    std::copy_n(reply->begin(), count, buffer.begin());
    return count;
}

unsigned char EmulatedDevice::Answer(const Packet& packet) {
    // An injected refusal means the display did not take the packet; an injected 0x80 only
    // hides the display's own verdict.
    const auto injected = faults_.StatusAt(packetsWritten_);
    if (injected && *injected != status::kAccepted) {
        return *injected;
    }
    auto outcome = display_.Receive(packet);
    if (outcome.completedImage && !Store(*outcome.completedImage)) {
        outcome.status = status::kStoreFailed;
    }
    return injected.value_or(outcome.status);
}

bool EmulatedDevice::Log(const Packet& packet) const {
    const auto path = directory_ / kPacketLogName;
    // One write per line with O_APPEND, so a reader never sees part of a line.
    std::ofstream log(path, std::ios::binary | std::ios::app);
    log << HexLine(packet) << std::flush;
    if (!log) {
        Warn("cannot append to " + path.string() + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool EmulatedDevice::Store(const std::vector<unsigned char>& image) const {
    const auto path = directory_ / kMemoryFileName;
    // Written beside the target and renamed over it, so a reader sees the old memory or the
    // new one, never part of it.
    const auto temporary =
        directory_ / ("." + std::string(kMemoryFileName) + "." + std::to_string(getpid()) + ".tmp");
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

}  // namespace lumera::zrusb
