#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "zrusb/display_wire.h"

// The bytes on the wire between the program and the display: 9-byte command packets
// (report id, seven command bytes, checksum) and 3-byte replies carrying a status byte.
namespace lumera::zrusb {

using wire::kBytesPerDataCommand;
using wire::kDataCommand;
using wire::kDisplayProductId;
using wire::kDisplayVendorId;
using wire::kPacketSize;
using wire::kProbeMarker;
using wire::kReplySize;
using wire::kReplyStatusIndex;
using wire::kSetupCommand;

using Packet = std::array<unsigned char, kPacketSize>;
using Reply = std::array<unsigned char, kReplySize>;

// Reply status values. 0x80 accepts; the program treats 0x2A and 0x82..0x8A as plain
// refusals and any other value as a fault of the display worth a box with its number.
namespace status {
inline constexpr unsigned char kAccepted = wire::kAcknowledged;
// Malformed packet: wrong checksum, report id not 0, or unknown command bytes. Unlisted, so
// the program shows its system-error box with the number: corruption deserves attention.
inline constexpr unsigned char kMalformed = 0x81;
// A size command whose capacity class does not match its size, or a size over capacity.
inline constexpr unsigned char kSizeRefused = 0x84;
// A well-formed command the display does not expect at this point of the sequence. A listed
// refusal: the program names the step that failed, and its next send starts with a probe.
inline constexpr unsigned char kOutOfSequence = 0x85;
// The emulated display could not keep the finished image in its memory file.
inline constexpr unsigned char kStoreFailed = 0x8E;
}  // namespace status

enum class CommandKind { Setup, Data, Final, Unknown };

// Sum of bytes 1..7 modulo 256.
// Two upper-case hex digits, as the packet log and the trace write bytes.
std::string HexByte(unsigned char byte);

unsigned char Checksum(const Packet& packet);
bool HasValidChecksum(const Packet& packet);
CommandKind KindOf(const Packet& packet);

// 1 under 256 bytes, 2 under 512, 3 under 1024, 4 under 2048; 0 for an image larger than
// the display's memory.
int CapacityClass(std::size_t imageSize);
// The value a probe announces for an image of this size.
unsigned char ProbeValue(std::size_t imageSize);

// A setup packet in the probe's shape: 40 40 01 P 00 00 00. A class-1 size command can
// have the very same bytes, so only the sequence can tell the two apart.
bool HasProbeShape(const Packet& packet);
struct SizeCommand {
    int capacityClass;
    std::size_t imageSize;
};
SizeCommand ReadSizeCommand(const Packet& packet);

// Chinese images travel with every image byte transformed; their first byte is always 0,
// which travels as 0xA4, while an English image starts with its section count.
unsigned char RestoreChineseByte(unsigned char travelled);
bool TravelsAsChinese(std::span<const unsigned char> travelledImage);
// The image as the program built it, from the image bytes as they travelled.
std::vector<unsigned char> RestoreImage(std::span<const unsigned char> travelledImage);

}  // namespace lumera::zrusb
