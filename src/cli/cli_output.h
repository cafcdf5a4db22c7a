#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "download/stream_prompter.h"

class QImage;

namespace lumera::cli {

// The -o value that stands for standard output.
inline constexpr char kStandardOutput[] = "-";

// Writes a command's result to standard output for "-", else through the one file writer
// (whole or not at all; never into a FIFO or a device). Returns why it could not be written.
std::optional<std::string> WriteOutput(const std::string& path, std::string_view bytes);
// The same for a picture, as PNG.
std::optional<std::string> WritePngOutput(const std::string& path, const QImage& picture);

// The boxes of the glyph-table readers on stderr, remembering whether there was one: a
// table that cannot be read is a failure of the command, even though the drawing goes on.
class TableReportPrompter : public download::StreamPrompter {
public:
    TableReportPrompter();
    void Message(const std::string& text) override;
    bool Reported() const { return reported_; }

private:
    bool reported_ = false;
};

}  // namespace lumera::cli
