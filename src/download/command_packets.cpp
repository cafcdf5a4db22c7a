#include "download/command_packets.h"

#include <algorithm>

namespace lumera::download {

namespace {

constexpr std::uint8_t kCommandByte = 0x40;
constexpr std::uint8_t kDataByte = 0x23;
constexpr std::uint8_t kProbeMarker = 0x01;
constexpr std::uint8_t kChineseOffset = 0x5B;
constexpr std::uint32_t kMinimumProbeValue = 10;

}  // namespace

std::uint8_t PacketChecksum(const CommandPacket& packet) {
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < kChecksumByte; ++i) {
        sum = static_cast<std::uint8_t>(sum + packet[i]);
    }
    return sum;
}

std::uint8_t CapacityClass(std::uint32_t imageSize) {
    if (imageSize < 256) {
        return 1;
    }
    if (imageSize < 512) {
        return 2;
    }
    if (imageSize < 1024) {
        return 3;
    }
    if (imageSize <= kLargestImageSize) {
        return 4;
    }
    return 0;
}

std::uint8_t ProbeValue(std::uint32_t imageSize) {
    const std::uint32_t capacityClass = std::max<std::uint32_t>(CapacityClass(imageSize), 1);
    const std::uint32_t value = std::max(imageSize / (8 * capacityClass), kMinimumProbeValue);
    return static_cast<std::uint8_t>(value % 256);
}

std::uint8_t TransformImageByte(std::uint8_t byte, bool englishMode) {
    if (englishMode) {
        return byte;
    }
    return static_cast<std::uint8_t>((byte + kChineseOffset) ^ 0xFF);
}

CommandPacket ProbeCommand(std::uint32_t imageSize) {
    return {0x00, kCommandByte, kCommandByte, kProbeMarker, ProbeValue(imageSize), 0, 0, 0, 0};
}

CommandPacket SizeCommand(std::uint32_t imageSize) {
    return {0x00,
            kCommandByte,
            kCommandByte,
            CapacityClass(imageSize),
            static_cast<std::uint8_t>(imageSize & 0xFF),
            static_cast<std::uint8_t>((imageSize >> 8) & 0xFF),
            0,
            0,
            0};
}

CommandPacket DataCommand(std::span<const std::uint8_t, kDataBytesPerCommand> bytes,
                          bool englishMode) {
    CommandPacket packet{0x00, kCommandByte, kDataByte};
    std::transform(
        bytes.begin(), bytes.end(), packet.begin() + 3,
        [englishMode](std::uint8_t byte) { return TransformImageByte(byte, englishMode); });
    return packet;
}

CommandPacket FinalCommand(std::span<const std::uint8_t> tail, bool englishMode) {
    const std::size_t count = std::min(tail.size(), kDataBytesPerCommand - 1);
    CommandPacket packet{0x00, kDataByte, kDataByte, static_cast<std::uint8_t>(count)};
    std::transform(
        tail.begin(), tail.begin() + count, packet.begin() + 4,
        [englishMode](std::uint8_t byte) { return TransformImageByte(byte, englishMode); });
    return packet;
}

}  // namespace lumera::download
