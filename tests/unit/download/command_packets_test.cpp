#include "download/command_packets.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

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
        {300, 2, 18},
        {511, 2, 31},
        {512, 3, 21},
        {1023, 3, 42},
        {1024, 4, 32},
        {2047, 4, 63},
        {2048, 0, 0},  // 2048 / 8 = 256 wraps in the probe
                       // byte
        {3000, 0, 119},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CapacityClass(c.size), c.capacityClass) << "size " << c.size;
        EXPECT_EQ(ProbeValue(c.size), c.probe) << "size " << c.size;
        const CommandPacket probe = ProbeCommand(c.size);
        EXPECT_EQ(probe[4], c.probe) << "size " << c.size;
        EXPECT_EQ(SizeCommand(c.size)[3], c.capacityClass) << "size " << c.size;
    }
}

TEST(CommandPackets, SizeCommandOfA300ByteImage) {
    CommandPacket size = SizeCommand(300);
    EXPECT_EQ(size, (CommandPacket{0x00, 0x40, 0x40, 0x02, 0x2C, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(PacketChecksum(size), 0xAF);
    // The report id is not summed.
    size[0] = 0x55;
    EXPECT_EQ(PacketChecksum(size), 0xAF);
}

TEST(CommandPackets, ChineseTransformIsAByteForByteBijection) {
    struct Case {
        std::uint8_t image;
        std::uint8_t chinese;
    };
    for (const auto& c : {Case{0x00, 0xA4}, Case{0xA4, 0x00}, Case{0xFF, 0xA5}, Case{0x81, 0x23}}) {
        EXPECT_EQ(TransformImageByte(c.image, false), c.chinese) << int(c.image);
        EXPECT_EQ(TransformImageByte(c.image, true), c.image) << int(c.image);
    }
    std::set<std::uint8_t> travelled;
    for (int byte = 0; byte < 256; ++byte) {
        travelled.insert(TransformImageByte(static_cast<std::uint8_t>(byte), false));
    }
    EXPECT_EQ(travelled.size(), 256u) << "two image bytes would arrive as the same byte";
}

TEST(CommandPackets, DataAndFinalCommandsCarryTransformedBytes) {
    const std::vector<std::uint8_t> five{0x00, 0xA4, 0xFF, 0x41, 0x10};
    EXPECT_EQ(DataCommand(std::span<const std::uint8_t, 5>(five), true),
              (CommandPacket{0x00, 0x40, 0x23, 0x00, 0xA4, 0xFF, 0x41, 0x10, 0x00}));
    EXPECT_EQ(DataCommand(std::span<const std::uint8_t, 5>(five), false),
              (CommandPacket{0x00, 0x40, 0x23, 0xA4, 0x00, 0xA5, 0x63, 0x94, 0x00}));

    struct Case {
        std::vector<std::uint8_t> tail;
        bool englishMode;
        CommandPacket expected;
    };
    const Case cases[] = {
        {{}, true, {0x00, 0x23, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {{}, false, {0x00, 0x23, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {{0x0B, 0x0C, 0x0D}, true, {0x00, 0x23, 0x23, 0x03, 0x0B, 0x0C, 0x0D, 0x00, 0x00}},
        {{0x00, 0xFF}, false, {0x00, 0x23, 0x23, 0x02, 0xA4, 0xA5, 0x00, 0x00, 0x00}},
        {{1, 2, 3, 4}, true, {0x00, 0x23, 0x23, 0x04, 1, 2, 3, 4, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FinalCommand(c.tail, c.englishMode), c.expected) << c.tail.size() << " bytes";
    }
}

}  // namespace
}  // namespace lumera::download
