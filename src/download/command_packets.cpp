#include "download/command_packets.h"

#include <algorithm>

namespace lumera::download {

std::uint8_t PacketChecksum(const CommandPacket& packet) {
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < wire::kChecksumIndex; ++i) {
        sum = static_cast<std::uint8_t>(sum + packet[i]);
    }
    return sum;
}

std::uint8_t CapacityClass(std::uint32_t imageSize) {
    std::uint8_t capacityClass = 1;
    for (const std::size_t bound : wire::kCapacityClassBounds) {
        if (imageSize < bound) {
            return capacityClass;
        }
        ++capacityClass;
    }
    return 0;
}

std::uint8_t ProbeValue(std::uint32_t imageSize) {
    const std::size_t capacityClass = std::max<std::size_t>(CapacityClass(imageSize), 1);
    const std::size_t value = std::max(imageSize / (wire::kProbeDivisorPerClass * capacityClass),
                                       wire::kMinimumProbeValue);
    return static_cast<std::uint8_t>(value % 256);
}

std::uint8_t TransformImageByte(std::uint8_t byte, bool englishMode) {
    if (englishMode) {
        return byte;
    }
    return static_cast<std::uint8_t>((byte + wire::kChineseOffset) ^ wire::kChineseMask);
}

CommandPacket ProbeCommand(std::uint32_t imageSize) {
    return {0x00,
            wire::kSetupCommand,
            wire::kSetupCommand,
            wire::kProbeMarker,
            ProbeValue(imageSize),
            0,
            0,
            0,
            0};
}

CommandPacket SizeCommand(std::uint32_t imageSize) {
    return {0x00,
            wire::kSetupCommand,
            wire::kSetupCommand,
            CapacityClass(imageSize),
            static_cast<std::uint8_t>(imageSize & 0xFF),
            static_cast<std::uint8_t>((imageSize >> 8) & 0xFF),
            0,
            0,
            0};
}

CommandPacket DataCommand(std::span<const std::uint8_t, wire::kBytesPerDataCommand> bytes,
                          bool englishMode) {
    CommandPacket packet{0x00, wire::kSetupCommand, wire::kDataCommand};
    std::transform(
        bytes.begin(), bytes.end(), packet.begin() + 3,
        [englishMode](std::uint8_t byte) { return TransformImageByte(byte, englishMode); });
    return packet;
}

CommandPacket FinalCommand(std::span<const std::uint8_t> tail, bool englishMode) {
    const std::size_t count = std::min(tail.size(), wire::kBytesPerDataCommand - 1);
    CommandPacket packet{0x00, wire::kDataCommand, wire::kDataCommand,
                         static_cast<std::uint8_t>(count)};
    std::transform(
        tail.begin(), tail.begin() + count, packet.begin() + 4,
        [englishMode](std::uint8_t byte) { return TransformImageByte(byte, englishMode); });
    return packet;
}

}  // namespace lumera::download
