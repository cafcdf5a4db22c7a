#include "zrusb/emulated_endpoint.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "zrusb/emulated_display_files.h"
#include "zrusb/protocol.h"
#include "zrusb/warning.h"

namespace lumera::zrusb {

namespace {

// The display's input report: byte 1 the status; byte 2 its complement, so that a reply
// read one byte off shows at once.
constexpr std::size_t kInputReportSize = 8;
constexpr std::size_t kInputStatusIndex = 1;
constexpr std::size_t kInputCheckIndex = 2;
// A short reply stops before the status; a long one runs past the declared report.
constexpr std::size_t kShortReportSize = 1;
constexpr std::size_t kLongReportSize = 2 * kInputReportSize;
// The number a display with numbered reports gives its reports.
constexpr unsigned char kNumberedReportId = 0x01;

std::string HexLine(std::span<const unsigned char> report) {
    std::string line;
    for (const unsigned char byte : report) {
        line += HexByte(byte);
    }
    return line + "\n";
}

}  // namespace

EmulatedEndpoint::EmulatedEndpoint(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

unsigned char EmulatedEndpoint::ReportId() const {
    return faults_.Numbered() ? kNumberedReportId : 0;
}

EmulatedEndpoint::Taken EmulatedEndpoint::Take(std::span<const unsigned char> report,
                                               std::uint64_t exchange) {
    if (report.size() != kPacketSize) {
        return {"a report of " + std::to_string(report.size()) + " bytes", std::nullopt};
    }
    if (!Log(report)) {
        return {"cannot log the packet", std::nullopt};
    }
    const unsigned char status = Answer(report, exchange);
    if (faults_.Has(FaultKind::Silent, exchange)) {
        return {};
    }
    return {"", Reply{std::chrono::milliseconds(faults_.DelayAt(exchange)),
                      faults_.Has(FaultKind::Read, exchange), InputReport(status, exchange)}};
}

unsigned char EmulatedEndpoint::Answer(std::span<const unsigned char> report,
                                       std::uint64_t exchange) {
    // An injected refusal means the display did not take the packet; an injected 0x80
    // only hides the display's own verdict.
    const auto injected = faults_.StatusAt(exchange);
    if (injected && *injected != status::kAccepted) {
        return *injected;
    }
    // A report under another number than the display's own is not one of its commands.
    if (report[0] != ReportId()) {
        return injected.value_or(status::kMalformed);
    }
    Packet packet;
    std::ranges::copy(report, packet.begin());
    packet[0] = 0;
    auto outcome = sequence_.Receive(packet);
    if (outcome.completedImage && !Store(*outcome.completedImage)) {
        outcome.status = status::kStoreFailed;
    }
    return injected.value_or(outcome.status);
}

std::vector<unsigned char> EmulatedEndpoint::InputReport(unsigned char status,
                                                         std::uint64_t exchange) const {
    std::vector<unsigned char> report(kInputReportSize);
    report[kInputStatusIndex] = status;
    report[kInputCheckIndex] = static_cast<unsigned char>(~status);
    if (faults_.Has(FaultKind::Short, exchange)) {
        report.resize(kShortReportSize);
    } else if (faults_.Has(FaultKind::Long, exchange)) {
        report.resize(kLongReportSize);
    }
    if (faults_.Numbered()) {
        report.insert(report.begin(), kNumberedReportId);
    }
    return report;
}

bool EmulatedEndpoint::Log(std::span<const unsigned char> report) const {
    const auto path = directory_ / kPacketLogName;
    // One write per line with O_APPEND, so a reader never sees part of a line.
    std::ofstream log(path, std::ios::binary | std::ios::app);
    log << HexLine(report) << std::flush;
    if (!log) {
        Warn("cannot append to " + path.string() + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool EmulatedEndpoint::Store(const std::vector<unsigned char>& image) const {
    const auto path = directory_ / kMemoryFileName;
    // Written beside the target and renamed over it, so a reader sees the old memory or
    // the new one, never part of it.
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
