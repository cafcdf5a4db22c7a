#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "device_library.h"

namespace lumera::testing {
namespace {

TEST(ZrusbExports, ExactlyTheEntryPointsAndTheListing) {
    ASSERT_NO_THROW(Zrusb());
    const std::string command = "nm -D --defined-only --format=just-symbols " + LibraryPath();
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::set<std::string> exported;
    for (char line[512]; std::fgets(line, sizeof line, pipe.get()) != nullptr;) {
        exported.emplace(line, std::string_view(line).find_first_of("\r\n"));
    }
    EXPECT_EQ(exported,
              (std::set<std::string>{"OpenUSBDevice", "CloseUSBDevice", "WriteUSB", "ReadUSB",
                                     "ListUSBDevices", "ClaimUSBDevice", "ReleaseUSBDevice"}));
}

}  // namespace
}  // namespace lumera::testing
