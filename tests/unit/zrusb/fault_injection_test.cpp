#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "device_library.h"

namespace lumera::testing {
namespace {

// 13 bytes: probe, size, two data commands and a final command, five exchanges.
const Bytes kImage{0x01, 0x0A, 0x13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

struct FaultCase {
    const char* faults;
    const char* trace;
    std::size_t loggedPackets;
    bool stored;
};

TEST(ZrusbFaults, EachFaultStrikesItsExchange) {
    const FaultCase cases[] = {
        {"", "80 80 80 80 80", 5, true},
        {"absent", "open", 0, false},
        {"open@3", "80 80 open", 2, false},
        {"open@*", "open", 0, false},
        {"write@3", "80 80 write", 2, false},
        {"write@*", "write", 0, false},
        {"read@3", "80 80 read 80 80", 5, true},
        {"read@*", "read read read read read", 5, true},
        {"status@2=2A", "80 2A", 2, false},
        {"status@5=85", "80 80 80 80 85", 5, false},
        {"status@*=81", "81", 1, false},
        {"status@4=80", "80 80 80 80 80", 5, true},
        {"status@3=8A,status@3=80", "80 80 8A", 3, false},
        {"read@2,write@4", "80 read 80 write", 3, false},
        {"unplug@3", "80 80 write", 2, false},
        {"unplug@*", "write", 0, false},
        // A replug cuts the connection that waits for the reply; the next open finds the
        // display under its new path.
        {"replug@2", "80 read 80 80 80", 5, true},
        {"unplug@2,replug@2", "80 write", 1, false},
        {"numbered", "80 80 80 80 80", 5, true},
        {"numbered,status@4=2A", "80 80 80 2A", 4, false},
        {"slow@2=30,slow@*=5", "80 80 80 80 80", 5, true},
        // The late reply is dropped with its connection, not taken for the next packet's.
        {"slow@3=1300,status@4=2A", "80 80 read 2A", 4, false},
        {"silent@4", "80 80 80 read 80", 5, true},
        // A reply too short to reach its status is no reply; a long one is read as usual.
        {"short@3", "80 80 read 80 80", 5, true},
        {"numbered,short@3", "80 80 read 80 80", 5, true},
        {"long@3", "80 80 80 80 80", 5, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults);
        EmulatorDirectory directory;
        SetFaults(c.faults);
        EXPECT_EQ(Transfer(TransferPackets(kImage, false)), c.trace);
        EXPECT_EQ(directory.LoggedPackets().size(), c.loggedPackets);
        EXPECT_EQ(directory.HasMemory(), c.stored);
    }
}

TEST(ZrusbFaults, ExchangesCountPacketsNotOpens) {
    EmulatorDirectory directory;
    SetFaults("write@2,open@4");
    const auto& usb = Zrusb();
    const auto packets = TransferPackets(kImage, false);
    const auto poll = [&] {
        for (int i = 0; i < 5; ++i) {
            usb.open(kVendor, kProduct);
        }
    };
    poll();
    EXPECT_EQ(Exchange(packets[0]), "80");
    poll();
    EXPECT_EQ(Exchange(packets[1]), "write");
    // A failed write uses up its number: the retried packet is exchange 3.
    EXPECT_EQ(Exchange(packets[1]), "80");
    // From exchange 4 the display looks unplugged, to the poll as well, until the list changes.
    EXPECT_EQ(usb.open(kVendor, kProduct), -1);
    EXPECT_EQ(Exchange(packets[2]), "open");
    SetFaults("");
    EXPECT_EQ(Exchange(packets[2]), "80");
    EXPECT_EQ(directory.LoggedPackets().size(), 3u);
}

TEST(ZrusbFaults, NewDirectoryIsANewDisplay) {
    EmulatorDirectory first;
    const auto packets = TransferPackets(kImage, false);
    EXPECT_EQ(Exchange(packets[0]), "80");
    EXPECT_EQ(Exchange(packets[1]), "80");
    const int oldHandle = Zrusb().open(kVendor, kProduct);
    ASSERT_NE(oldHandle, -1);

    EmulatorDirectory second;
    SetFaults("write@1");
    EXPECT_EQ(Exchange(packets[2]), "write");
    // The sequence restarted too: a data command needs a probe first.
    EXPECT_EQ(Exchange(packets[2]), "85");
    int written = 0;
    EXPECT_EQ(Zrusb().write(oldHandle, packets[2].data(), 9, &written), 0);
    EXPECT_EQ(first.LoggedPackets().size(), 2u);
    EXPECT_EQ(second.LoggedPackets().size(), 1u);
}

struct ParseCase {
    const char* faults;
    std::vector<std::string> rejected;
    const char* trace;
};

TEST(ZrusbFaults, MalformedItemsAreReportedOnceAndIgnored) {
    const ParseCase cases[] = {
        {"bogus", {"bogus"}, "80 80 80 80 80"},
        {"Absent,absent ", {"Absent"}, "open"},
        {"write@0,write@-1,write@+2,write@ 2,write@two",
         {"write@0", "write@-1", "write@+2", "write@ 2", "write@two"},
         "80 80 80 80 80"},
        {"read@3x,read@,@3,read3", {"read@3x", "read@", "@3", "read3"}, "80 80 80 80 80"},
        {"status@2,status@2=8,status@2=GG,status@2=0x8,status@2=180,status@*=",
         {"status@2", "status@2=8", "status@2=GG", "status@2=0x8", "status@2=180", "status@*="},
         "80 80 80 80 80"},
        {" write@2 , ,open@", {"open@"}, "80 write"},
        {"status@99999999999999999999=2A,status@2=2a", {"status@99999999999999999999=2A"}, "80 2A"},
        {"slow@2,slow@2=,slow@2=1x,slow@2=60001,unplug@0,replug,silent@-1,Numbered",
         {"slow@2", "slow@2=", "slow@2=1x", "slow@2=60001", "unplug@0", "replug", "silent@-1",
          "Numbered"},
         "80 80 80 80 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults);
        EmulatorDirectory directory;
        ::testing::internal::CaptureStderr();
        SetFaults(c.faults);
        const std::string trace = Transfer(TransferPackets(kImage, false));
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(trace, c.trace);
        // One line per bad item, though every exchange opens anew.
        EXPECT_EQ(std::ranges::count(warnings, '\n'), std::ssize(c.rejected)) << warnings;
        for (const auto& item : c.rejected) {
            EXPECT_NE(warnings.find("\"" + item + "\""), std::string::npos) << item;
        }
    }
}

TEST(ZrusbHandles, RepeatedOpensShareOneCountedHandle) {
    EmulatorDirectory directory;
    const auto& usb = Zrusb();
    const Packet probe = Probe(13);
    int written = -1;
    const int handle = usb.open(kVendor, kProduct);
    for (int i = 0; i < 999; ++i) {
        ASSERT_EQ(usb.open(kVendor, kProduct), handle);
    }
    for (int i = 0; i < 999; ++i) {
        usb.close(handle);
    }
    EXPECT_NE(usb.write(handle, probe.data(), 9, &written), 0) << "one reference is left";
    EXPECT_EQ(written, 9);
    usb.close(handle);
    EXPECT_EQ(usb.write(handle, probe.data(), 9, &written), 0) << "every reference was closed";
    EXPECT_EQ(written, 0);
    EXPECT_EQ(usb.open(kVendor, kProduct + 1), -1);
    EXPECT_EQ(usb.open(kVendor + 1, kProduct), -1);
}

TEST(ZrusbHandles, CallsOutsideTheContractFail) {
    EmulatorDirectory directory;
    const auto& usb = Zrusb();
    const Packet probe = Probe(13);
    std::array<unsigned char, 10> tooLong{};
    std::ranges::copy(probe, tooLong.begin());
    std::array<unsigned char, 4> reply{0xEE, 0xEE, 0xEE, 0xEE};
    int count = -1;
    int handle = usb.open(kVendor, kProduct);
    EXPECT_EQ(usb.read(handle, reply.data(), 3, &count), 0) << "nothing to answer yet";
    handle = usb.open(kVendor, kProduct);
    EXPECT_EQ(usb.write(handle, probe.data(), 8, &count), 0);
    EXPECT_EQ(usb.write(handle, tooLong.data(), 10, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(usb.write(handle, nullptr, 9, &count), 0);
    EXPECT_EQ(usb.write(handle + 1000, probe.data(), 9, &count), 0);
    EXPECT_TRUE(directory.LoggedPackets().empty());
    ASSERT_NE(usb.write(handle, probe.data(), 9, nullptr), 0);
    EXPECT_EQ(usb.read(handle, nullptr, 3, &count), 0);
    EXPECT_EQ(usb.read(handle, reply.data(), 0, &count), 0);
    EXPECT_EQ(reply, (std::array<unsigned char, 4>{0xEE, 0xEE, 0xEE, 0xEE}));
    ASSERT_NE(usb.read(handle, reply.data(), 4, &count), 0) << "the reply waited";
    EXPECT_EQ(count, 4);
    // Report number 0, then the input report: status in its byte 1, the complement after.
    EXPECT_EQ(reply, (std::array<unsigned char, 4>{0x00, 0x00, 0x80, 0x7F}));
    EXPECT_EQ(usb.read(handle, reply.data(), 3, &count), 0) << "a reply is read once";
    usb.close(handle);
}

TEST(ZrusbHandles, AReplyLeftUnreadIsNotTakenForTheNext) {
    EmulatorDirectory directory;
    SetFaults("status@1=2A");
    const auto& usb = Zrusb();
    const Packet probe = Probe(13);
    std::array<unsigned char, 3> reply{};
    int count = 0;
    const int handle = usb.open(kVendor, kProduct);
    ASSERT_NE(usb.write(handle, probe.data(), 9, &count), 0);
    ASSERT_NE(usb.write(handle, probe.data(), 9, &count), 0);
    ASSERT_NE(usb.read(handle, reply.data(), 3, &count), 0);
    EXPECT_EQ(reply[2], 0x80);
    usb.close(handle);
}

TEST(ZrusbEmulator, UnwritableFilesFailInsteadOfPassing) {
    const auto packets = TransferPackets(kImage, false);
    ::testing::internal::CaptureStderr();
    {
        EmulatorDirectory directory;
        std::filesystem::create_directory(directory.Path() / "eeprom.bin");
        EXPECT_EQ(Transfer(packets), "80 80 80 80 8E");
    }
    {
        EmulatorDirectory directory;
        std::filesystem::create_directory(directory.Path() / "packets.log");
        EXPECT_EQ(Transfer(packets), "write");
    }
    const TempDirectory scratch("zrusb-test");
    const auto file = scratch.path() / "zrusb-test-not-a-directory";
    { std::ofstream{file}; }
    setenv("ZRUSB_EMULATOR", file.c_str(), 1);
    EXPECT_EQ(Zrusb().open(kVendor, kProduct), -1);
    unsetenv("ZRUSB_EMULATOR");
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    for (const char* named : {"eeprom.bin", "packets.log", "zrusb-test-not-a-directory"}) {
        EXPECT_NE(warnings.find(named), std::string::npos) << named;
    }
}

}  // namespace
}  // namespace lumera::testing
