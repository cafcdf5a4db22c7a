#include "cli/cli_preview_source.h"

#include <cmath>
#include <filesystem>
#include <iostream>

#include "cli/cli_image_io.h"
#include "cli/cli_table_io.h"
#include "download/image_feed.h"
#include "editing/program_directory.h"
#include "files/table_file.h"

namespace lumera::cli {

namespace {

// A file so named is read as a table even when broken, so that its error is the table's.
bool IsMessageFileName(const std::string& path) {
    const std::filesystem::path extension = std::filesystem::path(path).extension();
    return extension == ".led" || extension == kTableFileExtension;
}

}  // namespace

std::unique_ptr<PreviewSource> StartPreview(std::string_view command, const std::string& path,
                                            SourceKind kind, QSize size, int color) {
    auto source = std::make_unique<PreviewSource>();
    if (kind == SourceKind::MessageFileOrImage &&
        (IsMessageFileName(path) || HoldsMessageFile(path))) {
        if (!LoadIntoTable(command, path, source->table)) {
            return nullptr;
        }
        source->table.SetCurrentSection(0);
        source->preview = std::make_unique<LedPreview>(
            source->table, GlyphTableFiles{LocateProgramFiles().dataDirectory, source->prompter},
            size);
    } else {
        auto image = ReadImageFile(command, path);
        if (!image) {
            return nullptr;
        }
        source->preview = std::make_unique<LedPreview>(
            std::make_unique<download::ImageFeed>(std::move(*image)), size);
    }
    for (int i = 0; i < color; ++i) {
        source->preview->NextColor();
    }
    if (!source->preview->Start()) {
        std::cerr << "lumera-cli " << command << ": " << path
                  << ": no section in use has a text with something other than blanks\n";
        return nullptr;
    }
    return source;
}

QSize PictureSize(int height) {
    if (height == 0) {
        return {LedPreview::kWidth, LedPreview::kHeight};
    }
    const auto width = static_cast<int>(
        std::lround(static_cast<double>(height) * LedPreview::kWidth / LedPreview::kHeight));
    return {width, height};
}

}  // namespace lumera::cli
