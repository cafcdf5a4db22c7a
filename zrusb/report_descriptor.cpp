#include "zrusb/report_descriptor.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace lumera::zrusb {

namespace {

// Short items: tag and type in the high six bits, data size code in the low two.
constexpr unsigned char kSizeMask = 0x03;
constexpr unsigned char kTagTypeMask = 0xFC;
constexpr unsigned char kReportIdItem = 0x84;  // global item, tag 8
constexpr unsigned char kLongItemPrefix = 0xFE;
constexpr std::size_t kLongItemHeader = 3;
constexpr std::size_t kFourBytes = 4;

}  // namespace

bool DeclaresReportIds(std::span<const unsigned char> descriptor) {
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const unsigned char prefix = descriptor[at];
        if (prefix == kLongItemPrefix) {
            const std::size_t dataSize = at + 1 < descriptor.size() ? descriptor[at + 1] : 0;
            at += kLongItemHeader + dataSize;
            continue;
        }
        if ((prefix & kTagTypeMask) == kReportIdItem) {
            return true;
        }
        const std::size_t sizeCode = prefix & kSizeMask;
        at += 1 + (sizeCode == kSizeMask ? kFourBytes : sizeCode);
    }
    return false;
}

bool HidrawDeclaresReportIds(const std::string& devicePath) {
    const auto node = std::filesystem::path(devicePath).filename();
    std::ifstream file(
        std::filesystem::path("/sys/class/hidraw") / node / "device" / "report_descriptor",
        std::ios::binary);
    const std::vector<unsigned char> descriptor{std::istreambuf_iterator<char>(file),
                                                std::istreambuf_iterator<char>()};
    return DeclaresReportIds(descriptor);
}

}  // namespace lumera::zrusb
