#pragma once

#include <QSize>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "cli/cli_output.h"
#include "editing/message_table.h"
#include "render/led_preview.h"

namespace lumera::cli {

// A started preview of a message file (played as the window plays it, from section 1) or of
// a download image (played as the display plays it, from its first record).
struct PreviewSource {
    MessageTable table;
    TableReportPrompter prompter;  // a glyph table that cannot be read fails the command
    std::unique_ptr<LedPreview> preview;
};

enum class SourceKind {
    MessageFileOrImage,  // a message or table file by its name (.led, .lumera) or content, else an
                         // image
    DownloadImage        // always a download image
};

// Reports on stderr and returns null when the file is refused or nothing in it is showable.
std::unique_ptr<PreviewSource> StartPreview(std::string_view command, const std::string& path,
                                            SourceKind kind, QSize size, int color);

// The preview's picture size for a height in pixels (0: the preview's own 160 x 187).
QSize PictureSize(int height);

}  // namespace lumera::cli
