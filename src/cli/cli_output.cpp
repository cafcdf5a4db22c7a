#include "cli/cli_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <iostream>

#include "editing/file_bytes.h"

namespace lumera::cli {

std::optional<std::string> WriteOutput(const std::string& path, std::string_view bytes) {
    if (path != kStandardOutput) {
        return ReplaceFileContents(path, bytes);
    }
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush();
    if (!std::cout.good()) {
        return "standard output refused it";
    }
    return std::nullopt;
}

std::optional<std::string> WritePngOutput(const std::string& path, const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return "the picture could not be encoded as PNG";
    }
    return WriteOutput(path, std::string_view(png.constData(), png.size()));
}

TableReportPrompter::TableReportPrompter() : StreamPrompter(std::cerr) {}

void TableReportPrompter::Message(const std::string& text) {
    reported_ = true;
    StreamPrompter::Message(text);
}

}  // namespace lumera::cli
