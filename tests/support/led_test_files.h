#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "file_contents.h"
#include "files/led_scramble.h"
#include "temp_directory.h"

namespace lumera::testing {

// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    TempDirectory folder_{"lumera-files"};
    const std::filesystem::path dir_ = folder_.path();
};

inline std::string Scrambled(std::string plain) {
    ScrambleLedBytes(plain);
    return plain;
}

}  // namespace lumera::testing
