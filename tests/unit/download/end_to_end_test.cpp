#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "download/send_download.h"
#include "download_test_support.h"
#include "emulated_display.h"
#include "outside/device_binding.h"
#include "scripted_prompter.h"

// The Send command through the real device library and its emulated display.
namespace lumera::download {
namespace {

using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

constexpr char kSuccess[] = "message: Write time: Nms\r\nUSB Write Data Successed!";
constexpr char kConnectFailure[] = "message: USB Device Connect Failure!!!";
constexpr char kWriteError[] = "message: USB Write Data Error";
constexpr char kReadError[] = "message: USB Read Data Error";
constexpr char kNoEprom[] = "message: 产品没有连接好-It is no Eprom !";
constexpr char kEpromSmall[] = "message: 存储空间不够-The Eprom is small !";
constexpr char kWriteFailure[] = "message: USB Write Data Failure!";
constexpr char kSystemError[] =
    "message: System Error or Application Program Destruction!Error ID:";

class SendCommand : public ::testing::Test {
protected:
    void SetUp() override {
        lumera::testing::WriteGlyphTables(program.path());
        binding =
            DeviceBinding::Bind(prompter, std::filesystem::path(LUMERA_BIN_DIR) / "libZRUSB.so");
        ASSERT_TRUE(binding.IsBound());
        request.tableDirectory = program.path();
        request.dumpDirectory = program.path();
        request.fallbackDumpDirectory = program.path() / "per-user";
        request.device = binding.entryPoints();
    }
    // One send to a fresh emulated display (exchanges counted from 1 again).
    SendOutcome send(const MessageTable& table, const std::string& faults = "") {
        display.reset();  // its end clears the variables the new one sets
        display = std::make_unique<lumera::testing::EmulatorDirectory>();
        lumera::testing::SetFaults(faults);
        prompter.shown.clear();
        return SendTable(table, request, prompter, sendData);
    }
    // The boxes shown, with the write time made stable.
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const auto& text : prompter.shown) {
            texts.push_back(std::regex_replace(text, std::regex("time: [0-9]+ms"), "time: Nms"));
        }
        return texts;
    }
    std::vector<std::string> packetsLogged() const { return display->LoggedPackets(); }
    Bytes stored() const { return display->Memory(); }
    Bytes dumped(const std::filesystem::path& folder) const {
        return lumera::testing::ReadBytes<Bytes>(folder / "USBSendData.bin");
    }

    lumera::testing::TempDirectory program{"lumera-dl"};
    std::unique_ptr<lumera::testing::EmulatorDirectory> display;
    lumera::testing::ScriptedPrompter prompter;
    DeviceBinding binding;
    SendRequest request;
    Bytes sendData;
};

MessageTable EnglishAB() {
    MessageTable table;
    table.SetText(2, "AB");  // rows 1 and 2 stay empty
    table.SelectOpenOption(0, OpenEffect::TwoNearbyToMiddle);
    table.SelectCloseOption(2, CloseEffect::FromDownToUp);
    return table;
}

TEST_F(SendCommand, ImagesArriveExactlyAsBuilt) {
    EXPECT_EQ(send(EnglishAB()), SendOutcome::Delivered);
    EXPECT_THAT(shown(), ElementsAre(kSuccess));
    EXPECT_EQ(sendData, (Bytes{0x01, 0x0A, 0x13, 0x42, 0x52, 0x62, 0x72, 0x82, 0x41, 0x51, 0x61,
                               0x71, 0x81}));
    EXPECT_EQ(packetsLogged(), (std::vector<std::string>{"004040010A0000008B", "004040010D0000008E",
                                                         "004023010A13425215", "00402362728241514B",
                                                         "00232303617181009C"}));
    EXPECT_EQ(stored(), sendData);
    EXPECT_EQ(dumped(program.path()), sendData);

    MessageTable chinese;
    chinese.Reset(false);
    chinese.SetText(0,
                    "\xB0\xA1"
                    "A");
    chinese.SelectOpenOption(0, OpenEffect::RightToLeft);
    EXPECT_EQ(send(chinese), SendOutcome::Delivered);
    Bytes image{0x00, 0x81, 23, 0x21};
    for (int k = 0; k < 16; ++k) {
        image.push_back(static_cast<std::uint8_t>('A' + k));
    }
    image.insert(image.end(), 4, 0x00);  // the blank pair, then the wide cell's blank column
    for (int k = 0; k < 24; ++k) {
        image.push_back(static_cast<std::uint8_t>(0x4A + k));
    }
    image.insert(image.end(), 2, 0x00);
    EXPECT_EQ(sendData, image);
    EXPECT_EQ(stored(), sendData) << "the Chinese transform must be undone on arrival";
}

TEST_F(SendCommand, EveryFailureShowsItsMessagesInOrder) {
    struct Case {
        const char* faults;
        std::vector<std::string> shown;
        std::size_t packets;
    };
    const std::string unlisted = kSystemError;
    const Case cases[] = {
        {"absent", {kConnectFailure, kNoEprom}, 0},
        {"open@2", {kConnectFailure, kEpromSmall}, 1},
        {"open@5", {kConnectFailure, kWriteFailure}, 4},
        {"write@1", {kWriteError, kNoEprom}, 0},
        {"write@3", {kWriteError, kWriteFailure}, 2},
        {"status@1=2A", {kNoEprom}, 1},
        {"status@1=81", {unlisted + "129", kNoEprom}, 1},
        {"status@2=85", {kEpromSmall}, 2},
        {"status@2=00", {unlisted + "0", kEpromSmall}, 2},
        {"status@3=8A", {kWriteFailure}, 3},
        {"status@5=7F", {unlisted + "127", kWriteFailure}, 5},
        {"unplug@3", {kWriteError, kWriteFailure}, 2},
        {"unplug@1", {kWriteError, kNoEprom}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(send(EnglishAB(), c.faults), SendOutcome::TransferFailed) << c.faults;
        EXPECT_EQ(shown(), c.shown) << c.faults;
        EXPECT_EQ(packetsLogged().size(), c.packets) << c.faults;
        EXPECT_TRUE(stored().empty()) << c.faults;
        EXPECT_EQ(dumped(program.path()), sendData) << c.faults;
    }

    // Pressing Send again after a refused size command reaches the same display whole.
    EXPECT_EQ(send(EnglishAB(), "status@2=85"), SendOutcome::TransferFailed);
    lumera::testing::SetFaults("");
    prompter.shown.clear();
    EXPECT_EQ(SendTable(EnglishAB(), request, prompter, sendData), SendOutcome::Delivered);
    EXPECT_THAT(shown(), ElementsAre(kSuccess));
    EXPECT_EQ(stored(), sendData);

    // A display that never answers is told once, and never as a success.
    EXPECT_EQ(send(EnglishAB(), "read@*"), SendOutcome::TransferFailed);
    EXPECT_THAT(shown(), ElementsAre(kReadError, kNoEprom));
    EXPECT_TRUE(stored().empty());

    // 23 full rows make 2117 bytes: refused after the probe (P = 2117 / 8 mod 256 = 8).
    MessageTable large;
    for (int row = 0; row < 23; ++row) {
        large.SetText(row, "ABCDEFGHIJKLMNOPQR");
    }
    EXPECT_EQ(send(large), SendOutcome::TooLarge);
    EXPECT_THAT(shown(), ElementsAre(kEpromSmall));
    EXPECT_THAT(packetsLogged(), ElementsAre("004040010800000089"));
    // Without a display the image's size is never the reason.
    EXPECT_EQ(send(large, "absent"), SendOutcome::TransferFailed);
}

TEST_F(SendCommand, ACableThatComesAndGoes) {
    // Pulled at the first data command: the send stops there, and the next finds no display.
    EXPECT_EQ(send(EnglishAB(), "unplug@3"), SendOutcome::TransferFailed);
    prompter.shown.clear();
    EXPECT_EQ(SendTable(EnglishAB(), request, prompter, sendData), SendOutcome::TransferFailed);
    EXPECT_THAT(shown(), ElementsAre(kConnectFailure, kNoEprom));

    // Plugged in again after the pull: the next Send finds it on its new path.
    EXPECT_EQ(send(EnglishAB(), "unplug@3,replug@3"), SendOutcome::TransferFailed);
    EXPECT_THAT(shown(), ElementsAre(kWriteError, kWriteFailure));
    prompter.shown.clear();
    EXPECT_EQ(SendTable(EnglishAB(), request, prompter, sendData), SendOutcome::Delivered);
    EXPECT_THAT(shown(), ElementsAre(kSuccess));
    EXPECT_EQ(stored(), sendData);

    EXPECT_EQ(send(EnglishAB(), "numbered"), SendOutcome::Delivered);
    EXPECT_THAT(shown(), ElementsAre(kSuccess));

    // An unanswered command costs one reply wait and ends the Send as a failure; the next
    // Send works.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(send(EnglishAB(), "silent@4"), SendOutcome::TransferFailed);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_THAT(shown(), ElementsAre(kReadError, kWriteFailure));
    EXPECT_TRUE(stored().empty());
    EXPECT_GE(waited, std::chrono::milliseconds(990));
    EXPECT_LT(waited, std::chrono::milliseconds(6000)) << "a wait must end";
    EXPECT_EQ(send(EnglishAB()), SendOutcome::Delivered);
    EXPECT_EQ(stored(), sendData);
}

TEST_F(SendCommand, StopsBeforeTheDisplayWhenItMust) {
    request.previewRunning = true;
    request.stopPreview = [&] { prompter.shown.push_back("stop preview"); };
    MessageTable blank;
    blank.SetText(0, "   ");
    EXPECT_EQ(send(blank), SendOutcome::NoData);
    EXPECT_THAT(shown(), ElementsAre("stop preview", "message: No Data Send!"));
    EXPECT_FALSE(std::filesystem::exists(program.path() / "USBSendData.bin"));
    request.previewRunning = false;

    // A folder in the dump's place cannot be written, not even by root.
    std::filesystem::create_directory(program.path() / "USBSendData.bin");
    EXPECT_EQ(send(EnglishAB()), SendOutcome::Delivered);
    EXPECT_EQ(dumped(request.fallbackDumpDirectory), sendData);

    std::ofstream(program.path() / "file") << "not a folder";
    request.fallbackDumpDirectory = program.path() / "file" / "lumera";
    EXPECT_EQ(send(EnglishAB()), SendOutcome::DumpFailed);
    EXPECT_THAT(shown(), ElementsAre("message: Create File " +
                                     (request.fallbackDumpDirectory / "USBSendData.bin").string() +
                                     "Error! (Not a directory)"));
    EXPECT_FALSE(std::filesystem::exists(display->Path() / zrusb::kPacketLogName));
    EXPECT_EQ(sendData.size(), 13u) << "the image stays after a failed dump";

    request.fallbackDumpDirectory = program.path() / "per-user";
    request.device = {};
    EXPECT_EQ(send(EnglishAB()), SendOutcome::NotBound);
    EXPECT_THAT(shown(), ElementsAre(kConnectFailure));
    EXPECT_EQ(dumped(request.fallbackDumpDirectory), sendData);
}

}  // namespace
}  // namespace lumera::download
