#include "zrusb/protocol.h"

#include <algorithm>

namespace lumera::zrusb {

namespace {

constexpr unsigned char kChineseHeaderByte = 0x00;

}  // namespace

std::string HexByte(unsigned char byte) {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    return {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
}

unsigned char Checksum(const Packet& packet) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < wire::kChecksumIndex; ++i) {
        sum += packet[i];
    }
    return static_cast<unsigned char>(sum);
}

bool HasValidChecksum(const Packet& packet) {
    return packet[wire::kChecksumIndex] == Checksum(packet);
}

CommandKind KindOf(const Packet& packet) {
    if (packet[0] != 0) {
        return CommandKind::Unknown;
    }
    if (packet[1] == kSetupCommand && packet[2] == kSetupCommand) {
        return CommandKind::Setup;
    }
    if (packet[1] == kSetupCommand && packet[2] == kDataCommand) {
        return CommandKind::Data;
    }
    if (packet[1] == kDataCommand && packet[2] == kDataCommand) {
        return CommandKind::Final;
    }
    return CommandKind::Unknown;
}

int CapacityClass(std::size_t imageSize) {
    const auto& bounds = wire::kCapacityClassBounds;
    const auto holding = std::ranges::upper_bound(bounds, imageSize);
    return holding == bounds.end() ? 0 : static_cast<int>(holding - bounds.begin()) + 1;
}

unsigned char ProbeValue(std::size_t imageSize) {
    const std::size_t divisor = wire::kProbeDivisorPerClass *
                                static_cast<std::size_t>(std::max(CapacityClass(imageSize), 1));
    return static_cast<unsigned char>(std::max(imageSize / divisor, wire::kMinimumProbeValue));
}

bool HasProbeShape(const Packet& packet) {
    return KindOf(packet) == CommandKind::Setup && packet[3] == kProbeMarker && packet[5] == 0 &&
           packet[6] == 0 && packet[7] == 0;
}

SizeCommand ReadSizeCommand(const Packet& packet) {
    return {packet[3], static_cast<std::size_t>(packet[4] | (packet[5] << 8))};
}

unsigned char RestoreChineseByte(unsigned char travelled) {
    return static_cast<unsigned char>((travelled ^ wire::kChineseMask) - wire::kChineseOffset);
}

bool TravelsAsChinese(std::span<const unsigned char> travelledImage) {
    return !travelledImage.empty() && RestoreChineseByte(travelledImage[0]) == kChineseHeaderByte;
}

std::vector<unsigned char> RestoreImage(std::span<const unsigned char> travelledImage) {
    std::vector<unsigned char> image(travelledImage.begin(), travelledImage.end());
    if (TravelsAsChinese(travelledImage)) {
        std::ranges::transform(image, image.begin(), RestoreChineseByte);
    }
    return image;
}

}  // namespace lumera::zrusb
