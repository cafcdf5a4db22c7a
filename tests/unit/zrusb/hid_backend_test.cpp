#include <gtest/gtest.h>

#include <cstdlib>

#include "device_library.h"

namespace lumera::testing {
namespace {

// Without hardware only the path to a missing device can be checked: enumeration, the
// refusal, and a clean unload at exit, which runs after this test in the same process.
TEST(ZrusbHid, DeviceNotOnTheBusCannotBeOpened) {
    unsetenv("ZRUSB_EMULATOR");
    constexpr int kUnassignedId = 0xFFFF;
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(Zrusb().open(kUnassignedId, kUnassignedId), -1);
    }
}

}  // namespace
}  // namespace lumera::testing
