#include "cli/cli_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <fstream>
#include <iostream>

namespace lumera::cli {

bool WriteOutput(const std::string& path, std::string_view bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (path == kStandardOutput) {
        std::cout.write(bytes.data(), size).flush();
        return std::cout.good();
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), size);
    out.close();
    return !out.fail();
}

bool WritePngOutput(const std::string& path, const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "PNG") &&
           WriteOutput(path, std::string_view(png.constData(), png.size()));
}

TableReportPrompter::TableReportPrompter() : StreamPrompter(std::cerr) {}

void TableReportPrompter::Message(const std::string& text) {
    reported_ = true;
    StreamPrompter::Message(text);
}

}  // namespace lumera::cli
