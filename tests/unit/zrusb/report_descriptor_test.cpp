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
    };
    // A vendor page with one 8-byte input and one 8-byte output report.
    const std::vector<unsigned char> plain{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                           0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01,
                                           0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
    auto numbered = plain;
    numbered.insert(numbered.begin() + 7, {0x85, 0x01});
    const Case cases[] = {
        {"unnumbered", plain, false},
        {"report id", numbered, true},
        {"0x85 as the data of a logical maximum", {0x26, 0x85, 0x00, 0xC0}, false},
        {"0x85 inside four data bytes", {0x27, 0x00, 0x85, 0x85, 0x00, 0xC0}, false},
        {"0x85 inside a long item", {0xFE, 0x02, 0x10, 0x85, 0x85, 0xC0}, false},
        {"report id after a long item", {0xFE, 0x01, 0x10, 0x85, 0x85, 0x02}, true},
        {"report id cut short at the end", {0xC0, 0x85}, true},
        {"empty", {}, false},
        {"long item running past the end", {0xFE, 0xFF, 0x10}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeclaresReportIds(c.descriptor), c.numbered) << c.name;
    }
    EXPECT_FALSE(HidrawDeclaresReportIds("/dev/no-such-hidraw"));
}

}  // namespace
}  // namespace lumera::zrusb
