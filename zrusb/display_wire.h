#pragma once

#include <array>
#include <cstddef>

// The numbers the display and the program agree on: its USB identity, the packet and reply
// shapes, the command bytes and how much the display stores. Both ends include this and
// nothing else of each other: the emulated display keeps its own reading of the packets, so a
// fault in the program's packet code shows as a refusal instead of being shared.
namespace lumera::wire {

inline constexpr int kDisplayVendorId = 0x0C45;
inline constexpr int kDisplayProductId = 0x7160;

// A command packet: report id 0, seven command bytes, the checksum of bytes 1..7.
inline constexpr std::size_t kPacketSize = 9;
inline constexpr std::size_t kChecksumIndex = kPacketSize - 1;
// A reply: two bytes nobody reads, then the status.
inline constexpr std::size_t kReplySize = 3;
inline constexpr std::size_t kReplyStatusIndex = 2;

// Bytes 1 and 2 name the command: 40 40 setup (probe or size), 40 23 data, 23 23 final.
inline constexpr unsigned char kSetupCommand = 0x40;
inline constexpr unsigned char kDataCommand = 0x23;
// Byte 3 of a probe.
inline constexpr unsigned char kProbeMarker = 0x01;
// Image bytes in one data command; a final command carries the 0..4 left over.
inline constexpr std::size_t kBytesPerDataCommand = 5;
// The probe announces size / (8 x class), never less than 10.
inline constexpr std::size_t kProbeDivisorPerClass = 8;
inline constexpr std::size_t kMinimumProbeValue = 10;

// A Chinese image travels with every byte b as ((b + 0x5B) mod 256) XOR 0xFF.
inline constexpr unsigned char kChineseOffset = 0x5B;
inline constexpr unsigned char kChineseMask = 0xFF;

// The only status that acknowledges a command.
inline constexpr unsigned char kAcknowledged = 0x80;

// Bytes of image the display stores.
inline constexpr std::size_t kDisplayCapacity = 2047;
// Capacity class c (1..4) holds images under kCapacityClassBounds[c - 1] bytes; class 0 is an
// image the display cannot hold.
inline constexpr std::array<std::size_t, 4> kCapacityClassBounds = {256, 512, 1024, 2048};
static_assert(kCapacityClassBounds.back() == kDisplayCapacity + 1,
              "the largest class ends where the display's memory does");

}  // namespace lumera::wire
