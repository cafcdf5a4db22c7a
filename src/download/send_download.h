#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "download/download_image.h"
#include "download/usb_transfer.h"
#include "editing/message_table.h"
#include "editing/prompter.h"
#include "outside/device_binding_entry_points.h"

namespace lumera::download {

// Where the send stopped.
enum class SendOutcome {
    NoData,          // no showable section in use: "No Data Send!"
    SectionTooWide,  // a section does not fit its length byte; nothing written or sent
    DisplayBusy,     // another Send holds the display; nothing written or sent
    DumpFailed,      // "Create File <path>Error!"
    NotBound,        // "USB Device Connect Failure!!!"
    TransferFailed,  // the transfer's own messages
    TooLarge,        // the display's memory is smaller than the image: "...The Eprom is small !"
    Delivered,       // the display took the whole image
};

// What the send needs from its caller (the window or the terminal).
struct SendRequest {
    // Glyph tables are read from here.
    std::filesystem::path tableDirectory;
    // The image is dumped here.
    std::filesystem::path dumpDirectory;
    // The dump goes here when dumpDirectory cannot be written.
    std::filesystem::path fallbackDumpDirectory;
    // All null when the device library is not bound.
    DeviceEntryPoints device;
    // Stops a running preview (BtnStopClick and a repaint of the LED image); may be empty.
    std::function<void()> stopPreview;
    bool previewRunning = false;
    ProgressDisplay showProgress;
};

// Steps before the dump: the showable sections' image into sendData. Returns nullopt when the
// image is ready, else why not (NoData or SectionTooWide, after the operator's message).
std::optional<SendOutcome> PrepareDownloadImage(const MessageTable& table,
                                                const SectionRasteriser& rasterise,
                                                Prompter& prompter,
                                                std::vector<std::uint8_t>& sendData);

// The Send command: stop the preview, build the image, claim the display where the library
// can, dump the image, transfer it when bound.
// sendData keeps the image afterwards, whatever happened on the device side.
SendOutcome SendTable(const MessageTable& table, const SendRequest& request, Prompter& prompter,
                      std::vector<std::uint8_t>& sendData);

}  // namespace lumera::download
