#include <gtest/gtest.h>

#include <vector>

#include "zrusb/report_descriptor.h"

namespace lumera::zrusb {
namespace {

TEST(ZrusbReportDescriptor, FindsReportIdItemsOnly) {
    struct Case {
        const char* name;
        std::vector<unsigned char> descriptor;
        bool numbered;
        unsigned char outputId;
    };
    // A vendor page with one 8-byte input and one 8-byte output report.
    const std::vector<unsigned char> plain{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                           0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01,
                                           0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
    auto numbered = plain;
    numbered.insert(numbered.begin() + 7, {0x85, 0x01});
    const Case cases[] = {
        {"unnumbered", plain, false, 0},
        {"report id", numbered, true, 1},
        {"0x85 as the data of a logical maximum", {0x26, 0x85, 0x00, 0xC0}, false, 0},
        {"0x85 inside four data bytes", {0x27, 0x00, 0x85, 0x85, 0x00, 0xC0}, false, 0},
        {"0x85 inside a long item", {0xFE, 0x02, 0x10, 0x85, 0x85, 0xC0}, false, 0},
        {"report id after a long item", {0xFE, 0x01, 0x10, 0x85, 0x85, 0x02}, true, 0},
        {"report id cut short at the end", {0xC0, 0x85}, true, 0},
        {"empty", {}, false, 0},
        {"long item running past the end", {0xFE, 0xFF, 0x10}, false, 0},
        // The output report's number is the one in force at the output item, not the last.
        {"input 2, output 3, feature 4",
         {0x85, 0x02, 0x81, 0x02, 0x85, 0x03, 0x91, 0x02, 0x85, 0x04, 0xB1, 0x02},
         true,
         3},
        {"output before any report id", {0x91, 0x02, 0x85, 0x05}, true, 0},
        {"report ids without an output", {0x85, 0x06, 0x81, 0x02}, true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeclaresReportIds(c.descriptor), c.numbered) << c.name;
        EXPECT_EQ(OutputReportId(c.descriptor), c.outputId) << c.name;
    }
    EXPECT_TRUE(HidrawReportDescriptor("/dev/no-such-hidraw").empty());
}

}  // namespace
}  // namespace lumera::zrusb
