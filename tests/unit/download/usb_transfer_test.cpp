#include "download/usb_transfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "fake_device.h"
#include "scripted_prompter.h"

namespace lumera::download {
namespace {

using lumera::testing::FakeDisplay;
using lumera::testing::ScriptedPrompter;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

constexpr char kSuccess[] = "Write time: [0-9]+ms\r\nUSB Write Data Successed!";

std::vector<std::uint8_t> countingImage(std::size_t size) {
    std::vector<std::uint8_t> image(size);
    std::iota(image.begin(), image.end(), std::uint8_t{1});
    return image;
}

TEST(UsbTransfer, ThirteenByteImageTravelsInOrderWithProgress) {
    auto& display = FakeDisplay::Reset();
    ScriptedPrompter prompter;
    std::vector<std::string> labels;
    ASSERT_TRUE(TransferImage(countingImage(13), true, FakeDisplay::EntryPoints(), prompter,
                              [&](const std::string& text) { labels.push_back(text); }));

    EXPECT_THAT(display.written,
                ElementsAre(CommandPacket{0x00, 0x40, 0x40, 0x01, 0x0A, 0, 0, 0, 0x8B},
                            CommandPacket{0x00, 0x40, 0x40, 0x01, 0x0D, 0, 0, 0, 0x8E},
                            CommandPacket{0x00, 0x40, 0x23, 1, 2, 3, 4, 5, 0x72},
                            CommandPacket{0x00, 0x40, 0x23, 6, 7, 8, 9, 10, 0x8B},
                            CommandPacket{0x00, 0x23, 0x23, 0x03, 11, 12, 13, 0x00, 0x6D}));
    // 13 x 0.002 = 0.026: block 1 shows 38%.
    EXPECT_THAT(labels, ElementsAre("", "0%", "38%", "100%", ""));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_THAT(prompter.messages()[0], MatchesRegex(kSuccess));
    EXPECT_EQ(display.opens, display.closes) << "a handle outlived its exchange";
}

TEST(UsbTransfer, ProgressTextBeforeEachDataCommand) {
    struct Case {
        std::uint32_t size;
        std::uint32_t block;
        const char* text;
    };
    const Case cases[] = {
        {2047, 0, "0%"}, {2047, 408, "99%"}, {500, 50, "50%"}, {30, 5, "83%"}, {0, 3, "3%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressText(c.size, c.block), c.text) << c.size << " / " << c.block;
    }
}

TEST(UsbTransfer, ReplyStatusDecidesAndExplainsUnlistedValues) {
    struct Case {
        std::uint8_t status;
        bool acknowledged;
        std::vector<std::string> messages;
    };
    const std::string systemError = "System Error or Application Program Destruction!Error ID:";
    const Case cases[] = {
        {0x80, true, {}},
        {0x2A, false, {}},
        {0x82, false, {}},
        {0x8A, false, {}},
        {0x81, false, {systemError + "129"}},
        {0x8B, false, {systemError + "139"}},
        {0x00, false, {systemError + "0"}},
        {0x29, false, {systemError + "41"}},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        EXPECT_EQ(CheckReplyStatus(c.status, prompter), c.acknowledged) << int(c.status);
        EXPECT_EQ(prompter.messages(), c.messages) << int(c.status);
    }
}

TEST(UsbTransfer, ImageOfMultipleOfFiveEndsWithEmptyFinalCommand) {
    auto& display = FakeDisplay::Reset();
    ScriptedPrompter prompter;
    ASSERT_TRUE(TransferImage(countingImage(10), false, FakeDisplay::EntryPoints(), prompter,
                              [](const std::string&) {}));
    ASSERT_EQ(display.written.size(), 5u);
    EXPECT_EQ(display.written.back(),
              (CommandPacket{0x00, 0x23, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}));
    // Chinese image bytes travel transformed: 1 -> (0x5C ^ 0xFF).
    EXPECT_EQ(display.written[2][3], 0xA3);
}

TEST(UsbTransfer, FailureKeepsTheLastPercentageShown) {
    auto& display = FakeDisplay::Reset();
    display.statusAt[4] = 0x85;  // the second data command is refused
    ScriptedPrompter prompter;
    std::vector<std::string> labels;
    EXPECT_FALSE(TransferImage(countingImage(100), true, FakeDisplay::EntryPoints(), prompter,
                               [&](const std::string& text) { labels.push_back(text); }));
    EXPECT_THAT(labels, ElementsAre("", "0%", "5%"));
    EXPECT_THAT(prompter.messages(), ElementsAre("USB Write Data Failure!"));
    EXPECT_EQ(display.written.size(), 4u);
    EXPECT_EQ(display.opens, display.closes);
}

}  // namespace
}  // namespace lumera::download
