#include <gtest/gtest.h>

#include <numeric>
#include <optional>

#include "device_library.h"

namespace lumera::testing {
namespace {

Bytes Counting(std::size_t size, unsigned char first, std::optional<unsigned char> header = {}) {
    Bytes image(size);
    std::iota(image.begin(), image.end(), first);
    if (header) {
        image[0] = *header;
    }
    return image;
}

struct TransferCase {
    const char* name;
    Bytes image;
    bool chinese;
    std::size_t packets;  // lines packets.log must hold
    // Lines of packets.log by index, literally: all of them for the short images, so that
    // neither the display nor the packets built here can drift from the protocol unseen.
    std::vector<std::pair<std::size_t, const char*>> literalLines;
};

TEST(ZrusbEmulator, CompleteTransferStoresTheImageAsBuilt) {
    const TransferCase cases[] = {
        {"english, tail of three",
         {0x01, 0x0A, 0x13, 0x7F, 0x08, 0x08, 0x08, 0x7F, 0x7E, 0x09, 0x09, 0x09, 0x7E},
         false,
         5,
         {{0, "004040010A0000008B"},
          {1, "004040010D0000008E"},
          {2, "004023010A137F0808"},
          {3, "00402308087F7E0979"},
          {4, "0023230309097E00D9"}}},
        {"english, multiple of five",
         Counting(10, 1),
         false,
         5,
         {{0, "004040010A0000008B"},
          {1, "004040010A0000008B"},
          {2, "004023010203040572"},
          {3, "004023060708090A8B"},
          {4, "002323000000000046"}}},
        {"english, shorter than a data command",
         {0x01, 0x00, 0x11},
         false,
         3,
         {{0, "004040010A0000008B"}, {1, "004040010300000084"}, {2, "00232303010011005B"}}},
        {"english, smallest probe value",
         Counting(30, 1),
         false,
         9,
         {{0, "004040010A0000008B"}, {1, "004040011E0000009F"}, {7, "0040231A1B1C1D1EEF"}}},
        {"english, class 2",
         Counting(300, 1),
         false,
         63,
         {{0, "004040011200000093"}, {1, "004040022C010000AF"}, {62, "002323000000000046"}}},
        {"english, full capacity",
         Counting(2047, 1),
         false,
         412,
         {{0, "004040013F000000C0"},
          {1, "00404004FF0700008A"},
          {2, "004023010203040572"},
          {411, "00232302FEFF000045"}}},
        {"chinese",
         {0x00, 0x81, 0xA4, 0xFF, 0x17, 0x12, 0x34, 0x00},
         true,
         4,
         {{0, "004040010A0000008B"},
          {1, "004040010800000089"},
          {2, "004023A42300A58D5C"},
          {3, "002323039270A400EF"}}},
        {"chinese, shorter than a data command",
         {0x00, 0x81, 0x00, 0xA4},
         true,
         3,
         {{0, "004040010A0000008B"}, {1, "004040010400000085"}, {2, "00232304A423A400B5"}}},
        {"chinese, full capacity",
         Counting(2047, 7, 0x00),
         true,
         412,
         {{2, "004023A49C9B9A9971"}, {410, "004023A5A4A3A2A192"}, {411, "00232302A09F000087"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatorDirectory directory;
        const auto packets = TransferPackets(c.image, c.chinese);
        std::vector<std::string> sent;
        std::string accepted;
        for (const auto& packet : packets) {
            sent.push_back(Hex(packet));
            accepted += accepted.empty() ? "80" : " 80";
        }
        EXPECT_EQ(Transfer(packets), accepted);
        const std::vector<std::string> logged = directory.LoggedPackets();
        EXPECT_EQ(logged, sent) << "the log holds every packet as it arrived";
        ASSERT_EQ(logged.size(), c.packets);
        for (const auto& [index, line] : c.literalLines) {
            EXPECT_EQ(logged.at(index), line) << index;
        }
        ASSERT_TRUE(directory.HasMemory());
        EXPECT_EQ(directory.Memory(), c.image);
    }
}

struct SequenceCase {
    const char* name;
    std::vector<std::pair<Packet, const char*>> steps;  // packet and the reply expected
    std::optional<Bytes> memory;                        // empty: nothing may be stored
};

TEST(ZrusbEmulator, RefusesWhatDoesNotFitTheSequence) {
    Packet corrupted = Probe(13);
    ++corrupted[8];
    Packet reportId = Probe(13);
    reportId[0] = 0x01;
    const Bytes five = Counting(5, 1), other = Counting(5, 9), seven = Counting(7, 1);

    const SequenceCase cases[] = {
        {"bad checksum changes nothing",
         {{corrupted, "81"},
          {Data(five, 0), "85"},
          {Probe(5), "80"},
          {Size(1, 5), "80"},
          {Data(five, 0), "80"},
          {Final(five, 5, 0), "80"}},
         five},
        {"report id other than zero", {{reportId, "81"}}, {}},
        {"unknown command", {{Command({0x23, 0x40, 0x01}), "81"}}, {}},
        {"data before any probe", {{Data(five, 0), "85"}}, {}},
        {"size before any probe", {{Size(2, 300), "85"}}, {}},
        {"final before the size", {{Probe(5), "80"}, {Final(five, 0, 0), "85"}}, {}},
        {"2048 bytes exceed the capacity",
         {{Probe(2048), "80"}, {Size(0, 2048), "84"}, {Size(4, 2048), "84"}},
         {}},
        {"each class ends where the next begins",
         {{Probe(255), "80"},
          {Size(2, 255), "84"},
          {Size(1, 255), "80"},
          {Probe(256), "80"},
          {Size(1, 256), "84"},
          {Size(2, 256), "80"},
          {Probe(511), "80"},
          {Size(3, 511), "84"},
          {Size(2, 511), "80"},
          {Probe(512), "80"},
          {Size(2, 512), "84"},
          {Size(3, 512), "80"},
          {Probe(1023), "80"},
          {Size(4, 1023), "84"},
          {Size(3, 1023), "80"},
          {Probe(1024), "80"},
          {Size(3, 1024), "84"},
          {Size(4, 1024), "80"}},
         {}},
        {"class must match the size",
         {{Probe(300), "80"}, {Size(1, 300), "84"}, {Size(3, 300), "84"}, {Size(2, 300), "80"}},
         {}},
        {"more data than announced",
         {{Probe(5), "80"},
          {Size(1, 5), "80"},
          {Data(five, 0), "80"},
          {Data(other, 0), "85"},
          {Final(five, 5, 0), "80"},
          {Final(five, 5, 0), "85"}},
         five},
        {"final with the wrong remainder",
         {{Probe(7), "80"},
          {Size(1, 7), "80"},
          {Data(seven, 0), "80"},
          {Final(seven, 5, 1), "85"},
          {Final(seven, 5, 2), "80"}},
         seven},
        {"a probe restarts the transfer",
         {{Probe(10), "80"},
          {Size(1, 10), "80"},
          {Data(five, 0), "80"},
          {Probe(5), "80"},
          {Size(1, 5), "80"},
          {Data(other, 0), "80"},
          {Final(other, 5, 0), "80"}},
         other},
        {"a probe after a transfer abandoned at its probe",
         {{Probe(2200), "80"},
          {Probe(7), "80"},
          {Size(1, 7), "80"},
          {Data(seven, 0), "80"},
          {Final(seven, 5, 2), "80"}},
         seven},
        // Both retries open with a probe whose bytes also read as a fitting class-1 size.
        {"a probe after a refused size",
         {{Probe(7), "80"},
          {Size(2, 7), "84"},
          {Probe(7), "80"},
          {Size(1, 7), "80"},
          {Data(seven, 0), "80"},
          {Final(seven, 5, 2), "80"}},
         seven},
        {"a probe after a transfer abandoned at its size",
         {{Probe(10), "80"},
          {Size(1, 10), "80"},
          {Probe(7), "80"},
          {Size(1, 7), "80"},
          {Data(seven, 0), "80"},
          {Final(seven, 5, 2), "80"}},
         seven},
        {"a refused size after such a probe changes nothing",
         {{Probe(10), "80"},
          {Size(1, 10), "80"},
          {Size(3, 10), "84"},
          {Data(Counting(10, 1), 0), "80"},
          {Data(Counting(10, 1), 5), "80"},
          {Final(five, 0, 0), "80"}},
         Counting(10, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatorDirectory directory;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(Exchange(c.steps[i].first), c.steps[i].second) << "step " << i + 1;
        }
        EXPECT_EQ(directory.LoggedPackets().size(), c.steps.size());
        ASSERT_EQ(directory.HasMemory(), c.memory.has_value());
        if (c.memory) {
            EXPECT_EQ(directory.Memory(), *c.memory);
        }
    }
}

TEST(ZrusbEmulator, FinalWithARemainderOfFiveOrMoreIsRefused) {
    EmulatorDirectory directory;
    const Bytes seven = Counting(7, 1);
    ASSERT_EQ(Transfer({Probe(7), Size(1, 7), Data(seven, 0)}), "80 80 80");
    // Byte 3 of a final command counts the bytes after it; only four fit in the packet.
    for (std::size_t remainder = 5; remainder <= 255; ++remainder) {
        EXPECT_EQ(Exchange(Command({0x23, 0x23, remainder, seven[5], seven[6]})), "85")
            << remainder;
    }
    EXPECT_FALSE(directory.HasMemory());
    EXPECT_EQ(Exchange(Final(seven, 5, 2)), "80") << "the refusals changed nothing";
    EXPECT_EQ(directory.Memory(), seven);
}

}  // namespace
}  // namespace lumera::testing
