#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "download/command_packets.h"
#include "editing/prompter.h"
#include "outside/device_binding_entry_points.h"

namespace lumera::download {

// How far a transfer has come: the percentage text it shows in the status label ("", "37%",
// "100%") and the image bytes carried so far, out of all of them, for a bar.
struct TransferProgress {
    std::string text;
    std::uint32_t carried = 0;
    std::uint32_t total = 0;
};

// Shows the progress and repaints it.
using ProgressDisplay = std::function<void(const TransferProgress& progress)>;

// How a transfer ended. TooLarge: the display answered the probe, but the image is larger
// than its memory, so nothing more was sent.
enum class TransferEnd { Delivered, Failed, TooLarge };

// Only 0x80 acknowledges. 0x2A and 0x82..0x8A are refusals the display explains itself;
// any other value is shown as a system error with its decimal value.
bool CheckReplyStatus(std::uint8_t status, Prompter& prompter);

using wire::kReplySize;
inline constexpr std::size_t kStatusByte = wire::kReplyStatusIndex;

// How far one exchange got, and the reply when there was one.
struct Exchange {
    enum Step { NotOpened, WriteFailed, Unanswered, Answered } step = NotOpened;
    std::array<unsigned char, kReplySize> reply{};
    int read = 0;
};

// Writes the checksum into byte 8 and runs one open, write, read, close exchange. The
// handle is released before this returns, so no handle outlives its exchange.
Exchange ExchangeCommand(CommandPacket& packet, const DeviceEntryPoints& device);

// ExchangeCommand, with the outcome reported through the prompter.
// True when the display acknowledged the command.
bool SendCommand(CommandPacket packet, const DeviceEntryPoints& device, Prompter& prompter);

// The progress text before data command `block` of an image of `imageSize` bytes.
std::string ProgressText(std::uint32_t imageSize, std::uint32_t block);
// The progress before data command `block`: its text, and the bytes of the blocks before it.
TransferProgress ProgressBefore(std::uint32_t imageSize, std::uint32_t block);

// Carries the image to the display: probe, size, one data command per 5 bytes, final.
// The caller holds the display's claim (see BtnSendClick). Every outcome is reported through
// the prompter.
// The device's entry points must all be bound.
TransferEnd TransferImage(const std::vector<std::uint8_t>& sendData, bool englishMode,
                          const DeviceEntryPoints& device, Prompter& prompter,
                          const ProgressDisplay& showProgress);

}  // namespace lumera::download
