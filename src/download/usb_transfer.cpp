#include "download/usb_transfer.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <span>

#include "download/download_texts.h"

namespace lumera::download {

namespace {

constexpr std::uint8_t kRefusedQuietly = 0x2A;
constexpr std::uint8_t kFirstKnownRefusal = 0x82;
constexpr std::uint8_t kLastKnownRefusal = 0x8A;
constexpr double kProgressScalePerByte = 0.002;

bool isKnownRefusal(std::uint8_t status) {
    return status == kRefusedQuietly ||
           (status >= kFirstKnownRefusal && status <= kLastKnownRefusal);
}

std::string writeTimeText(long long elapsedMs) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), kWriteTimeFormat, static_cast<int>(elapsedMs));
    return text.data();
}

}  // namespace

bool CheckReplyStatus(std::uint8_t status, Prompter& prompter) {
    if (status == wire::kAcknowledged) {
        return true;
    }
    if (!isKnownRefusal(status)) {
        prompter.Message(std::string(kSystemErrorText) + kErrorIdText + std::to_string(status));
    }
    return false;
}

Exchange ExchangeCommand(CommandPacket& packet, const DeviceEntryPoints& device) {
    packet[wire::kChecksumIndex] = PacketChecksum(packet);
    Exchange exchange;
    const int handle = device.OpenUSBDevice(kDisplayVendorId, kDisplayProductId);
    if (handle == -1) {
        return exchange;
    }
    int written = 0;
    if (!device.WriteUSB(handle, packet.data(), static_cast<int>(packet.size()), &written)) {
        exchange.step = Exchange::WriteFailed;
    } else if (device.ReadUSB(handle, exchange.reply.data(),
                              static_cast<int>(exchange.reply.size()), &exchange.read)) {
        exchange.step = Exchange::Answered;
    } else {
        exchange.step = Exchange::Unanswered;
    }
    device.CloseUSBDevice(handle);
    return exchange;
}

bool SendCommand(CommandPacket packet, const DeviceEntryPoints& device, Prompter& prompter) {
    const Exchange exchange = ExchangeCommand(packet, device);
    switch (exchange.step) {
        case Exchange::NotOpened:
            prompter.Message(kConnectFailureText);
            return false;
        case Exchange::WriteFailed:
            prompter.Message(kWriteDataErrorText);
            return false;
        case Exchange::Unanswered:
            // Without its reply nothing says the display took the command: going on would
            // end in a success nobody can vouch for, after a box and a wait per command.
            prompter.Message(kReadDataErrorText);
            return false;
        case Exchange::Answered:
            break;
    }
    return CheckReplyStatus(exchange.reply[kStatusByte], prompter);
}

std::string ProgressText(std::uint32_t imageSize, std::uint32_t block) {
    float scale = static_cast<float>(imageSize * kProgressScalePerByte);
    if (scale == 0.0f) {
        scale = 1.0f;
    }
    return std::to_string(static_cast<long long>(static_cast<float>(block) / scale)) + "%";
}

TransferProgress ProgressBefore(std::uint32_t imageSize, std::uint32_t block) {
    return {ProgressText(imageSize, block),
            static_cast<std::uint32_t>(block * wire::kBytesPerDataCommand), imageSize};
}

TransferEnd TransferImage(const std::vector<std::uint8_t>& sendData, bool englishMode,
                          const DeviceEntryPoints& device, Prompter& prompter,
                          const ProgressDisplay& showProgress) {
    const auto size = static_cast<std::uint32_t>(sendData.size());
    showProgress({"", 0, size});
    const auto start = std::chrono::steady_clock::now();
    const std::uint8_t capacityClass = CapacityClass(size);

    if (!SendCommand(ProbeCommand(size), device, prompter)) {
        prompter.Message(kNoEpromText);
        return TransferEnd::Failed;
    }
    if (capacityClass == 0) {
        prompter.Message(kEpromSmallText);
        return TransferEnd::TooLarge;
    }
    if (!SendCommand(SizeCommand(size), device, prompter)) {
        prompter.Message(kEpromSmallText);
        return TransferEnd::Failed;
    }
    const std::span<const std::uint8_t> image(sendData);
    const std::uint32_t blocks = size / wire::kBytesPerDataCommand;
    for (std::uint32_t block = 0; block < blocks; ++block) {
        showProgress(ProgressBefore(size, block));
        const auto bytes =
            image.subspan(block * wire::kBytesPerDataCommand).first<wire::kBytesPerDataCommand>();
        if (!SendCommand(DataCommand(bytes, englishMode), device, prompter)) {
            prompter.Message(kWriteDataFailureText);
            return TransferEnd::Failed;
        }
    }
    if (!SendCommand(FinalCommand(image.subspan(blocks * wire::kBytesPerDataCommand), englishMode),
                     device, prompter)) {
        prompter.Message(kWriteDataFailureText);
        return TransferEnd::Failed;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    showProgress({"100%", size, size});
    prompter.Message(writeTimeText(elapsed.count()) + kWriteSucceededText);
    showProgress({"", size, size});
    return TransferEnd::Delivered;
}

}  // namespace lumera::download
