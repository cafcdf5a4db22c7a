#include "zrusb/trace.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "zrusb/protocol.h"

namespace lumera::zrusb {

namespace {

constexpr const char* kTraceVariable = "ZRUSB_TRACE";
constexpr int kMillisecondsPerSecond = 1000;

std::string TimeStamp() {
    const auto now = std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 40> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text.data() + length, text.size() - length, ".%03dZ",
                  static_cast<int>(ms.count() % kMillisecondsPerSecond));
    return text.data();
}

}  // namespace

void Trace(std::string_view event, std::string_view path, std::span<const unsigned char> bytes,
           std::string_view note) {
    const char* file = std::getenv(kTraceVariable);
    if (file == nullptr || *file == '\0') {
        return;
    }
    std::string line = TimeStamp() + " " + std::string(event) + " " + std::string(path);
    for (const unsigned char byte : bytes) {
        line += ' ';
        line += HexByte(byte);
    }
    if (!note.empty()) {
        line += " (" + std::string(note) + ")";
    }
    line += '\n';
    // One write in append mode, so lines of several processes do not mix.
    if (FILE* out = std::fopen(file, "a")) {
        std::fwrite(line.data(), 1, line.size(), out);
        std::fclose(out);
    }
}

}  // namespace lumera::zrusb
