#include "download/send_download.h"

#include "download/device_form_rasteriser.h"
#include "download/download_texts.h"
#include "download/dump_file.h"

namespace lumera::download {
namespace {

// Long enough for a Send that is just finishing; a whole transfer takes seconds.
constexpr int kBusyWaitMs = 2000;
constexpr int kClaimBusy = 0;
constexpr int kNotClaimed = -1;

// Keeps another process's Send off the display from before the dump to the end of the
// transfer, where the library can claim it, so a Send refused as busy leaves the dump of the
// one that holds the display. Without a display to claim, the probe reports that as it
// always has.
class DisplayClaim {
public:
    explicit DisplayClaim(const DeviceEntryPoints& device) : device_(device) {
        if (device.ClaimUSBDevice && device.ReleaseUSBDevice) {
            outcome_ = device.ClaimUSBDevice(kDisplayVendorId, kDisplayProductId, kBusyWaitMs);
        }
    }
    ~DisplayClaim() {
        if (outcome_ > kClaimBusy) {
            device_.ReleaseUSBDevice();
        }
    }
    DisplayClaim(const DisplayClaim&) = delete;
    DisplayClaim& operator=(const DisplayClaim&) = delete;

    bool Busy() const { return outcome_ == kClaimBusy; }

private:
    const DeviceEntryPoints& device_;
    int outcome_ = kNotClaimed;
};

}  // namespace

std::optional<SendOutcome> PrepareDownloadImage(const MessageTable& table,
                                                const SectionRasteriser& rasterise,
                                                Prompter& prompter,
                                                std::vector<std::uint8_t>& sendData) {
    sendData.clear();
    std::vector<std::uint8_t> sections;
    if (CollectSendSections(table, sections) == 0) {
        prompter.Message(kNoDataSendText);
        return SendOutcome::NoData;
    }
    if (const auto refusal = BuildDownloadImage(table, sections, rasterise, sendData)) {
        prompter.Message(*refusal);
        return SendOutcome::SectionTooWide;
    }
    return std::nullopt;
}

SendOutcome SendTable(const MessageTable& table, const SendRequest& request, Prompter& prompter,
                      std::vector<std::uint8_t>& sendData) {
    if (request.previewRunning && request.stopPreview) {
        request.stopPreview();
    }
    const auto rasterise =
        DeviceFormRasteriser(table.EnglishMode(), request.tableDirectory, prompter);
    if (const auto stopped = PrepareDownloadImage(table, rasterise, prompter, sendData)) {
        return *stopped;
    }
    const DisplayClaim claim(request.device);
    if (claim.Busy()) {
        prompter.Message(kDisplayBusyText);
        return SendOutcome::DisplayBusy;
    }
    if (!WriteDumpFile(sendData, request.dumpDirectory, request.fallbackDumpDirectory, prompter)) {
        return SendOutcome::DumpFailed;
    }
    if (!request.device.complete()) {
        prompter.Message(kConnectFailureText);
        return SendOutcome::NotBound;
    }
    const ProgressDisplay showProgress =
        request.showProgress ? request.showProgress : [](const TransferProgress&) {};
    switch (TransferImage(sendData, table.EnglishMode(), request.device, prompter, showProgress)) {
        case TransferEnd::Delivered:
            return SendOutcome::Delivered;
        case TransferEnd::TooLarge:
            return SendOutcome::TooLarge;
        case TransferEnd::Failed:
            break;
    }
    return SendOutcome::TransferFailed;
}

}  // namespace lumera::download
