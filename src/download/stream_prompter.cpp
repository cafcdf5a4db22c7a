#include "download/stream_prompter.h"

namespace lumera::download {

void StreamPrompter::Message(const std::string& text) {
    out_ << text << '\n' << std::flush;
}

void StreamPrompter::Information(const std::string& text) {
    Message(text);
}

bool StreamPrompter::Ask(const std::string& text) {
    Message(text);
    return false;
}

std::optional<std::string> StreamPrompter::OpenFileName(const std::string&) {
    return std::nullopt;
}

std::optional<std::string> StreamPrompter::SaveFileName(const std::string&, const std::string&) {
    return std::nullopt;
}

}  // namespace lumera::download
