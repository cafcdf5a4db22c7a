#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "zrusb/display_wire.h"

namespace lumera::download {

// One command to the display: byte 0 is the report id (always 0), byte 8 the checksum.
using CommandPacket = std::array<std::uint8_t, wire::kPacketSize>;

// The sum of bytes 1..7 modulo 256 (the report id is not summed).
std::uint8_t PacketChecksum(const CommandPacket& packet);

// 1 under 256 bytes, 2 under 512, 3 under 1024, 4 under 2048, 0 from 2048 bytes on.
std::uint8_t CapacityClass(std::uint32_t imageSize);

// P of the probe command: size / (8 x class), at least 10, modulo 256; class 0 divides by 8.
std::uint8_t ProbeValue(std::uint32_t imageSize);

// How an image byte travels: unchanged in English mode; in Chinese mode
// ((b + 0x5B) mod 256) XOR 0xFF.
std::uint8_t TransformImageByte(std::uint8_t byte, bool englishMode);

// The packets without their checksum (SendCommand writes it).
CommandPacket ProbeCommand(std::uint32_t imageSize);
CommandPacket SizeCommand(std::uint32_t imageSize);
// Five image bytes.
CommandPacket DataCommand(std::span<const std::uint8_t, wire::kBytesPerDataCommand> bytes,
                          bool englishMode);
// The last 0..4 image bytes (more are a caller's error and are not sent).
CommandPacket FinalCommand(std::span<const std::uint8_t> tail, bool englishMode);

}  // namespace lumera::download
