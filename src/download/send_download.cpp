#include "download/send_download.h"

#include "download/device_form_rasteriser.h"
#include "download/download_texts.h"
#include "download/dump_file.h"

namespace lumera::download {

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

SendOutcome BtnSendClick(const MessageTable& table, const SendRequest& request, Prompter& prompter,
                         std::vector<std::uint8_t>& sendData) {
    if (request.previewRunning && request.stopPreview) {
        request.stopPreview();
    }
    const auto rasterise =
        DeviceFormRasteriser(table.EnglishMode(), request.tableDirectory, prompter);
    if (const auto stopped = PrepareDownloadImage(table, rasterise, prompter, sendData)) {
        return *stopped;
    }
    if (!WriteDumpFile(sendData, request.dumpDirectory, request.fallbackDumpDirectory, prompter)) {
        return SendOutcome::DumpFailed;
    }
    if (!request.device.complete()) {
        prompter.Message(kConnectFailureText);
        return SendOutcome::NotBound;
    }
    const ProgressDisplay showProgress =
        request.showProgress ? request.showProgress : [](const std::string&) {};
    return TransferImage(sendData, table.EnglishMode(), request.device, prompter, showProgress)
               ? SendOutcome::Delivered
               : SendOutcome::TransferFailed;
}

}  // namespace lumera::download
