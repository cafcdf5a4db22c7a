#include "download/command_packets.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "download/usb_transfer.h"

namespace lumera::download {
namespace {

TEST(CommandPackets, CapacityClassAndProbeValueFollowTheImageSize) {
    struct Case {
        std::uint32_t size;
        std::uint8_t capacityClass;
        std::uint8_t probe;
    };
    const Case cases[] = {
        {0, 1, 10},
        {30, 1, 10},
        {255, 1, 31},
        {256, 2, 16},
        {511, 2, 31},
        {512, 3, 21},
        {1023, 3, 42},
        {1024, 4, 32},
        {2047, 4, 63},
        {2048, 0, 0},  // 2048 / 8 = 256 wraps in the
                       // probe byte
        {3000, 0, 119},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeCommand(c.size)[3], c.capacityClass) << "size " << c.size;
        EXPECT_EQ(ProbeCommand(c.size)[4], c.probe) << "size " << c.size;
    }
    const CommandPacket size = SizeCommand(300);
    EXPECT_EQ(size, (CommandPacket{0x00, 0x40, 0x40, 0x02, 0x2C, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(PacketChecksum(size), 0xAF);
}

TEST(CommandPackets, ChineseBytesTravelTransformedAndStayDistinct) {
    const std::vector<std::uint8_t> five{0x00, 0xA4, 0xFF, 0x41, 0x81};
    EXPECT_EQ(DataCommand(std::span<const std::uint8_t, 5>(five), false),
              (CommandPacket{0x00, 0x40, 0x23, 0xA4, 0x00, 0xA5, 0x63, 0x23, 0x00}));
    EXPECT_EQ(DataCommand(std::span<const std::uint8_t, 5>(five), true),
              (CommandPacket{0x00, 0x40, 0x23, 0x00, 0xA4, 0xFF, 0x41, 0x81, 0x00}));
    EXPECT_EQ(FinalCommand(std::vector<std::uint8_t>{0x00, 0xFF}, false),
              (CommandPacket{0x00, 0x23, 0x23, 0x02, 0xA4, 0xA5, 0x00, 0x00, 0x00}));
    EXPECT_EQ(FinalCommand({}, false), (CommandPacket{0x00, 0x23, 0x23, 0, 0, 0, 0, 0, 0}));
    std::set<std::uint8_t> travelled;
    for (int byte = 0; byte < 256; ++byte) {
        travelled.insert(TransformImageByte(static_cast<std::uint8_t>(byte), false));
    }
    EXPECT_EQ(travelled.size(), 256u) << "two image bytes would arrive as the same byte";
}

TEST(CommandPackets, ProgressTextBeforeEachDataCommand) {
    struct Case {
        std::uint32_t size;
        std::uint32_t block;
        const char* text;
    };
    const Case cases[] = {
        {13, 1, "38%"}, {2047, 408, "99%"}, {500, 50, "50%"}, {30, 5, "83%"}, {0, 3, "3%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressText(c.size, c.block), c.text) << c.size << " / " << c.block;
    }
}

}  // namespace
}  // namespace lumera::download
