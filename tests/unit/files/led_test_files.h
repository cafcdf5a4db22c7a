#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/led_scramble.h"
#include "temp_directory.h"

namespace lumera::testing {

// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    TempDirectory folder_{"lumera-files"};
    const std::filesystem::path dir_ = folder_.path();
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Scrambled(std::string plain) {
    ScrambleLedBytes(plain);
    return plain;
}

}  // namespace lumera::testing
