#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/outside/device_binding.h"
#include "download/send_download.h"
#include "download_test_files.h"
#include "scripted_prompter.h"

// The whole send through the real device library and its emulated display.
namespace lumera::download {
namespace {

using lumera::testing::ReadBytes;
using lumera::testing::ReadLines;
using lumera::testing::ScratchDirectory;
using lumera::testing::ScriptedPrompter;
using ::testing::ElementsAreArray;
using ::testing::MatchesRegex;
using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kDeviceLibrary = std::filesystem::path(LUMERA_BIN_DIR) / "libZRUSB.so";
constexpr char kSuccess[] = "Write time: [0-9]+ms\r\nUSB Write Data Successed!";
constexpr char kConnectFailure[] = "USB Device Connect Failure!!!";
constexpr char kWriteError[] = "USB Write Data Error";
constexpr char kReadError[] = "USB Read Data Error";
constexpr char kNoEprom[] = "产品没有连接好-It is no Eprom !";
constexpr char kEpromSmall[] = "存储空间不够-The Eprom is small !";
constexpr char kWriteFailure[] = "USB Write Data Failure!";
constexpr char kSystemError[] = "System Error or Application Program Destruction!Error ID:";

class EmulatedDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDeviceLibrary)) << kDeviceLibrary;
        lumera::testing::WriteGlyphTables(program.path(), u'\u554A');
        request.programDirectory = program.path();
        request.fallbackDumpDirectory = program.path() / "per-user";
        binding = DeviceBinding::Bind(prompter, kDeviceLibrary);
        request.device = binding.entryPoints();
        ASSERT_TRUE(prompter.shown.empty());
    }
    void TearDown() override {
        unsetenv("ZRUSB_EMULATOR");
        unsetenv("ZRUSB_EMULATOR_FAULT");
    }

    // One send to a fresh display (its exchange count starts again) with the given faults.
    SendOutcome send(const MessageTable& table, const std::string& faults) {
        display = std::make_unique<ScratchDirectory>();
        setenv("ZRUSB_EMULATOR", display->path().c_str(), 1);
        setenv("ZRUSB_EMULATOR_FAULT", faults.c_str(), 1);
        prompter.shown.clear();
        return BtnSendClick(table, request, prompter, sendData);
    }
    std::vector<std::string> packetsLogged() const {
        return ReadLines(display->path() / "packets.log");
    }
    Bytes stored() const { return ReadBytes(display->path() / "eeprom.bin"); }

    ScratchDirectory program;
    std::unique_ptr<ScratchDirectory> display;
    ScriptedPrompter prompter;
    DeviceBinding binding;
    SendRequest request;
    Bytes sendData;
};

MessageTable englishAB() {
    MessageTable table;
    table.SetText(0, "AB");
    table.SetCloseOption(0, 2);
    return table;
}

TEST_F(EmulatedDisplay, DisplayStoresTheImageExactlyAsBuilt) {
    EXPECT_EQ(send(englishAB(), ""), SendOutcome::Delivered);
    EXPECT_THAT(prompter.messages(), ElementsAreArray({MatchesRegex(kSuccess)}));
    EXPECT_EQ(packetsLogged(), (std::vector<std::string>{"004040010A0000008B", "004040010D0000008E",
                                                         "004023010A13425215", "00402362728241514B",
                                                         "00232303617181009C"}));
    EXPECT_EQ(stored(), sendData);

    MessageTable chinese;
    chinese.Reset(false);
    chinese.SetText(0,
                    "\xB0\xA1"
                    "A\x01");
    chinese.SetText(1, "Z");
    EXPECT_EQ(send(chinese, ""), SendOutcome::Delivered);
    EXPECT_EQ(sendData.size(), 2u + (2 + 28 + 18 + 28) + (2 + 18));
    EXPECT_EQ(stored(), sendData) << "the display must undo the Chinese transform";
}

TEST_F(EmulatedDisplay, EveryFailureShowsItsMessagesInOrder) {
    struct Case {
        const char* faults;
        std::vector<std::string> messages;
        std::size_t packets;
    };
    const Case cases[] = {
        {"absent", {kConnectFailure, kNoEprom}, 0},
        {"open@1", {kConnectFailure, kNoEprom}, 0},
        {"open@2", {kConnectFailure, kEpromSmall}, 1},
        {"open@4", {kConnectFailure, kWriteFailure}, 3},
        {"write@1", {kWriteError, kNoEprom}, 0},
        {"write@3", {kWriteError, kWriteFailure}, 2},
        {"write@5", {kWriteError, kWriteFailure}, 4},
        {"status@1=2A", {kNoEprom}, 1},
        {"status@1=81", {std::string(kSystemError) + "129", kNoEprom}, 1},
        {"status@2=85", {kEpromSmall}, 2},
        {"status@2=00", {std::string(kSystemError) + "0", kEpromSmall}, 2},
        {"status@3=8A", {kWriteFailure}, 3},
        {"status@5=82", {kWriteFailure}, 5},
        {"status@5=7F", {std::string(kSystemError) + "127", kWriteFailure}, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(send(englishAB(), c.faults), SendOutcome::TransferFailed) << c.faults;
        EXPECT_EQ(prompter.messages(), c.messages) << c.faults;
        EXPECT_EQ(packetsLogged().size(), c.packets) << c.faults;
        EXPECT_FALSE(std::filesystem::exists(display->path() / "eeprom.bin")) << c.faults;
        EXPECT_EQ(ReadBytes(program.path() / "USBSendData.bin"), sendData)
            << "the dump must hold the attempted image: " << c.faults;
    }
}

TEST_F(EmulatedDisplay, UnansweredReadsStillDeliverTheImage) {
    EXPECT_EQ(send(englishAB(), "read@*"), SendOutcome::Delivered);
    std::vector<::testing::Matcher<std::string>> expected(5, kReadError);
    expected.push_back(MatchesRegex(kSuccess));
    EXPECT_THAT(prompter.messages(), ElementsAreArray(expected));
    EXPECT_EQ(stored(), sendData);
}

TEST_F(EmulatedDisplay, ImageTooLargeForTheDisplayStopsAfterTheProbe) {
    MessageTable table;
    for (int index = 0; index < 23; ++index) {
        table.SetText(index, "ABCDEFGHIJKLMNOPQR");
    }
    EXPECT_EQ(send(table, ""), SendOutcome::TransferFailed);
    EXPECT_EQ(sendData.size(), 1u + 23u * 92u);
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{kEpromSmall});
    EXPECT_EQ(packetsLogged(), std::vector<std::string>{"0040400108000000"
                                                        "89"});
}

}  // namespace
}  // namespace lumera::download
