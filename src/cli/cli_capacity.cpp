#include "cli/cli_capacity.h"

#include <iostream>

#include "download/device_form_rasteriser.h"
#include "download/stream_prompter.h"
#include "editing/program_directory.h"

namespace lumera::cli {

download::ImageMeasure MeasureTable(const MessageTable& table) {
    download::StreamPrompter prompter(std::cerr);
    return download::MeasureDownloadImage(
        table, download::DeviceFormRasteriser(table.EnglishMode(),
                                              LocateProgramFiles().dataDirectory, prompter));
}

}  // namespace lumera::cli
