#include "zrusb/report_descriptor.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lumera::zrusb {

namespace {

// Short items: tag and type in the high six bits, data size code in the low two.
constexpr unsigned char kSizeMask = 0x03;
constexpr unsigned char kTagTypeMask = 0xFC;
constexpr unsigned char kReportIdItem = 0x84;  // global item, tag 8
constexpr unsigned char kOutputItem = 0x90;    // main item, tag 9
constexpr unsigned char kLongItemPrefix = 0xFE;
constexpr std::size_t kLongItemHeader = 3;
constexpr std::size_t kFourBytes = 4;

// Calls visit(item, data) for each short item, its tag and type in `item`, until it returns true;
// long items carry no report numbers and are stepped over. Data past the end reads as absent.
template <typename Visit>
bool AnyShortItem(std::span<const unsigned char> descriptor, Visit visit) {
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const unsigned char prefix = descriptor[at];
        if (prefix == kLongItemPrefix) {
            const std::size_t dataSize = at + 1 < descriptor.size() ? descriptor[at + 1] : 0;
            at += kLongItemHeader + dataSize;
            continue;
        }
        const std::size_t sizeCode = prefix & kSizeMask;
        const std::size_t dataSize = sizeCode == kSizeMask ? kFourBytes : sizeCode;
        const auto rest = descriptor.subspan(at + 1);
        const auto data = rest.first(std::min(dataSize, rest.size()));
        if (visit(static_cast<unsigned char>(prefix & kTagTypeMask), data)) {
            return true;
        }
        at += 1 + dataSize;
    }
    return false;
}

}  // namespace

bool DeclaresReportIds(std::span<const unsigned char> descriptor) {
    return AnyShortItem(descriptor, [](unsigned char item, auto) { return item == kReportIdItem; });
}

unsigned char OutputReportId(std::span<const unsigned char> descriptor) {
    unsigned char reportId = 0;
    const bool output =
        AnyShortItem(descriptor, [&](unsigned char item, std::span<const unsigned char> data) {
            if (item == kReportIdItem && !data.empty()) {
                reportId = data.front();
            }
            return item == kOutputItem;
        });
    return output ? reportId : 0;
}

std::vector<unsigned char> HidrawReportDescriptor(const std::string& devicePath) {
    const auto node = std::filesystem::path(devicePath).filename();
    std::ifstream file(
        std::filesystem::path("/sys/class/hidraw") / node / "device" / "report_descriptor",
        std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace lumera::zrusb
