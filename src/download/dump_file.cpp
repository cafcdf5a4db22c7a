#include "download/dump_file.h"

#include <fstream>
#include <system_error>

#include "download/download_texts.h"

namespace lumera::download {

namespace {

bool writeWholeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

std::optional<std::filesystem::path> WriteDumpFile(const std::vector<std::uint8_t>& sendData,
                                                   const std::filesystem::path& dumpDirectory,
                                                   const std::filesystem::path& fallbackDirectory,
                                                   Prompter& prompter) {
    std::filesystem::path file;
    for (const auto& directory : {dumpDirectory, fallbackDirectory}) {
        std::error_code ignored;  // a directory that cannot be made shows as the write failing
        std::filesystem::create_directories(directory, ignored);
        file = directory / kDumpFileName;
        if (writeWholeFile(file, sendData)) {
            return file;
        }
    }
    prompter.Message(kCreateFileText + file.string() + kCreateFileErrorText);
    return std::nullopt;
}

}  // namespace lumera::download
