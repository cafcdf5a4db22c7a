#include <gtest/gtest.h>

#include <regex>

#include "device_library.h"

// What a display on a cable does to the library: it comes and goes, and what went over it
// can be traced.
namespace lumera::testing {
namespace {

TEST(ZrusbCable, ListingFollowsThePlugging) {
    EmulatorDirectory directory;
    const auto& usb = Zrusb();
    const std::string fields = "\tLumera\tEmulated LED display in " + directory.Path().string();
    const std::string first = "emulated:" + directory.Path().string() + "#1";
    EXPECT_EQ(ListedDevices(), std::vector<std::string>{first + fields + "\t1\t\t0"});

    SetFaults("unplug@1,replug@2");
    EXPECT_EQ(Exchange(Probe(13)), "write");
    EXPECT_EQ(ListedDevices(), std::vector<std::string>{});
    EXPECT_EQ(usb.open(kVendor, kProduct), -1);
    // Only a written packet counts; while unplugged none can be, so a new list plugs it in.
    SetFaults("replug@1");
    const auto replugged = ListedDevices();
    ASSERT_EQ(replugged.size(), 1u);
    EXPECT_NE(replugged[0], first + fields + "\t1\t\t0") << "a replugged display has a new path";
    EXPECT_EQ(Exchange(Probe(13)), "80");

    for (const char* gone : {"absent", "open@*"}) {
        SetFaults(gone);
        EXPECT_EQ(ListedDevices(), std::vector<std::string>{}) << gone;
    }
    SetFaults("");
    std::array<char, 6> little{};
    const int length = usb.list(kVendor, kProduct, little.data(), 6);
    EXPECT_GT(length, 6);
    EXPECT_EQ(std::string(little.data()), "emula");
    EXPECT_EQ(usb.list(kVendor, kProduct, nullptr, 0), length);
    EXPECT_EQ(usb.list(kVendor, kProduct, nullptr, 6), -1);
    EXPECT_EQ(usb.list(kVendor, kProduct + 1, little.data(), 6), 0);
}

TEST(ZrusbCable, TraceRecordsEveryWriteAndRead) {
    EmulatorDirectory directory;
    const auto trace = directory.Path() / "trace.txt";
    setenv("ZRUSB_TRACE", trace.c_str(), 1);
    SetFaults("read@2");
    EXPECT_EQ(Exchange(Probe(13)), "80");
    EXPECT_EQ(Exchange(Probe(13)), "read");
    unsetenv("ZRUSB_TRACE");
    EXPECT_EQ(Exchange(Probe(13)), "80");

    const std::vector<std::string> lines = ReadLines(trace);
    const std::string stamp = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z )";
    const std::string path = "emulated:" + directory.Path().string() + "#1";
    const std::string probe = " 00 40 40 01 0A 00 00 00 8B";
    const std::vector<std::string> expected{
        stamp + "write " + path + probe,
        stamp + "read " + path + " 00 00 80 7F 00 00 00 00 00",
        stamp + "write " + path + probe,
        stamp + "read " + path + R"( \(failed: .*\))",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], std::regex(expected[i]))) << lines[i];
    }
}

}  // namespace
}  // namespace lumera::testing
