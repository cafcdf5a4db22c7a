#include "outside/device_binding.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scripted_prompter.h"

namespace lumera {
namespace {

using lumera::testing::ScriptedPrompter;

const std::filesystem::path kDeviceLibrary = std::filesystem::path(LUMERA_BIN_DIR) / "libZRUSB.so";

TEST(DeviceBinding, ReportsWhatWentWrongAndStaysUnbound) {
    struct Case {
        std::filesystem::path library;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"/nonexistent/libZRUSB.so",
         {"information: Can't Load ZRUSB.dll", "information: Load ZRUSB.dll file error!"}},
        // A bare name must not fall back on the system's search.
        {"no-such-libZRUSB.so",
         {"information: Can't Load ZRUSB.dll", "information: Load ZRUSB.dll file error!"}},
        {INCOMPLETE_DEVICE_LIBRARY, {"information: Load ZRUSB.dll file error!"}},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        const DeviceBinding binding = DeviceBinding::Bind(prompter, c.library);
        EXPECT_EQ(prompter.shown, c.shown) << c.library;
        EXPECT_FALSE(binding.IsBound()) << c.library;
        const DeviceEntryPoints& entryPoints = binding.entryPoints();
        EXPECT_TRUE(!entryPoints.OpenUSBDevice && !entryPoints.CloseUSBDevice &&
                    !entryPoints.WriteUSB && !entryPoints.ReadUSB)
            << "a released library left an entry point behind: " << c.library;
    }
}

TEST(DeviceBinding, BindsTheDeviceLibraryAndReleasesItOnce) {
    ASSERT_TRUE(std::filesystem::exists(kDeviceLibrary)) << kDeviceLibrary;
    ScriptedPrompter prompter;
    DeviceBinding binding = DeviceBinding::Bind(prompter, kDeviceLibrary);
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_TRUE(binding.IsBound());
    EXPECT_TRUE(binding.entryPoints().complete());

    DeviceBinding owner = std::move(binding);
    EXPECT_FALSE(binding.IsBound());
    EXPECT_FALSE(binding.entryPoints().complete());
    ASSERT_TRUE(owner.IsBound());

    owner.Release();
    EXPECT_FALSE(owner.IsBound());
    EXPECT_FALSE(owner.entryPoints().complete());
    owner.Release();
}

}  // namespace
}  // namespace lumera
