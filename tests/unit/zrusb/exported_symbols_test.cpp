#include <gtest/gtest.h>

#include <set>
#include <string>

#include "device_library.h"
#include "program_run.h"

namespace lumera::testing {
namespace {

TEST(ZrusbExports, ExactlyTheEntryPointsAndTheListing) {
    ASSERT_NO_THROW(Zrusb());
    const TempDirectory scratch("zrusb-test");
    const ProgramRun nm =
        RunProgram("/usr/bin/nm", {"-D", "--defined-only", "--format=just-symbols", LibraryPath()},
                   scratch.path());
    ASSERT_EQ(nm.exitCode, 0) << nm.err;
    std::set<std::string> exported;
    for (const std::string& line : SplitLines(nm.out)) {
        exported.insert(line);
    }
    EXPECT_EQ(exported,
              (std::set<std::string>{"OpenUSBDevice", "CloseUSBDevice", "WriteUSB", "ReadUSB",
                                     "ListUSBDevices", "ClaimUSBDevice", "ReleaseUSBDevice"}));
}

}  // namespace
}  // namespace lumera::testing
