#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editing/effects.h"
#include "file_contents.h"
#include "files/led_scramble.h"
#include "temp_directory.h"

namespace lumera::testing {

// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    TempDirectory folder_{"lumera-files"};
    const std::filesystem::path dir_ = folder_.path();
};

inline std::string Scrambled(std::string plain) {
    ScrambleLedBytes(plain);
    return plain;
}

// The names the file tests spell tables and files with, taken in by `using namespace`.
namespace file_test_names {
using enum OpenEffect;
using enum CloseEffect;
using lumera::testing::ReadBytes;
using lumera::testing::Scrambled;
using lumera::testing::WriteBytes;
}  // namespace file_test_names

}  // namespace lumera::testing
