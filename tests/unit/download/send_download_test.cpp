#include "download/send_download.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "download_test_files.h"
#include "fake_device.h"
#include "scripted_prompter.h"

namespace lumera::download {
namespace {

using lumera::testing::FakeDisplay;
using lumera::testing::ReadBytes;
using lumera::testing::ScratchDirectory;
using lumera::testing::ScriptedPrompter;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;
using Bytes = std::vector<std::uint8_t>;

constexpr char kSuccess[] = "message: Write time: [0-9]+ms\r\nUSB Write Data Successed!";
constexpr char16_t kWideUnit = u'\u554A';  // the double-byte character B0 A1

class SendCommand : public ::testing::Test {
protected:
    SendCommand() {
        lumera::testing::WriteGlyphTables(program.path(), kWideUnit);
        request.programDirectory = program.path();
        request.fallbackDumpDirectory = perUser.path() / "lumera";
        request.device = FakeDisplay::EntryPoints();
    }

    SendOutcome send(const MessageTable& table) {
        return BtnSendClick(table, request, prompter, sendData);
    }

    ScratchDirectory program;
    ScratchDirectory perUser;
    SendRequest request;
    ScriptedPrompter prompter;
    Bytes sendData;
    FakeDisplay& display = FakeDisplay::Reset();
};

TEST_F(SendCommand, EnglishImageIsBuiltDumpedAndSent) {
    MessageTable table;
    table.SetText(0, "AB");
    table.SetCloseOption(0, 2);
    EXPECT_EQ(send(table), SendOutcome::Delivered);
    const Bytes image{0x01, 0x0A, 0x13, 0x42, 0x52, 0x62, 0x72, 0x82, 0x41, 0x51, 0x61, 0x71, 0x81};
    EXPECT_EQ(sendData, image);
    EXPECT_EQ(ReadBytes(program.path() / "USBSendData.bin"), image);
    EXPECT_THAT(prompter.shown, ElementsAre(MatchesRegex(kSuccess)));
    ASSERT_EQ(display.written.size(), 5u);
    EXPECT_EQ(display.written[2],
              (CommandPacket{0x00, 0x40, 0x23, 0x01, 0x0A, 0x13, 0x42, 0x52, 0x15}));
}

TEST_F(SendCommand, ChineseImageCarriesConvertedWideCells) {
    MessageTable table;
    table.Reset(false);
    table.SetText(0,
                  "\xB0\xA1"
                  "A");
    table.SetOpenOption(0, 1);
    EXPECT_EQ(send(table), SendOutcome::Delivered);
    Bytes image{0x00, 0x81, 23, 0x21};
    for (int k = 0; k < 16; ++k) {
        image.push_back(static_cast<std::uint8_t>('A' + k));
    }
    image.insert(image.end(), {0x00, 0x00, 0x00, 0x00});
    for (int k = 0; k < 24; ++k) {
        image.push_back(static_cast<std::uint8_t>(0x4A + k));
    }
    image.insert(image.end(), {0x00, 0x00});
    EXPECT_EQ(sendData, image);
    // Image bytes 00 81 17 21 41 travel transformed.
    ASSERT_GE(display.written.size(), 3u);
    EXPECT_EQ(display.written[2],
              (CommandPacket{0x00, 0x40, 0x23, 0xA4, 0x23, 0x8D, 0x83, 0x63, 0x9D}));
}

TEST_F(SendCommand, StopsBeforeTheDeviceWhenThereIsNothingToSendOrNoLibrary) {
    MessageTable blank;
    blank.SetText(0, "   ");
    EXPECT_EQ(send(blank), SendOutcome::NoData);
    EXPECT_THAT(prompter.shown, ElementsAre("message: No Data Send!"));
    EXPECT_TRUE(sendData.empty());
    EXPECT_FALSE(std::filesystem::exists(program.path() / "USBSendData.bin"));

    MessageTable table;
    table.SetText(0, "A");
    prompter.shown.clear();
    request.device = {};
    EXPECT_EQ(send(table), SendOutcome::NotBound);
    EXPECT_THAT(prompter.shown, ElementsAre("message: USB Device Connect Failure!!!"));
    EXPECT_EQ(ReadBytes(program.path() / "USBSendData.bin"), sendData);
    EXPECT_EQ(display.opens, 0);
}

TEST_F(SendCommand, DumpFallsBackToThePerUserFolder) {
    // A folder in the dump's place cannot be written, not even by root.
    std::filesystem::create_directory(program.path() / "USBSendData.bin");
    MessageTable table;
    table.SetText(0, "A");
    EXPECT_EQ(send(table), SendOutcome::Delivered);
    EXPECT_EQ(ReadBytes(request.fallbackDumpDirectory / "USBSendData.bin"), sendData);
    EXPECT_THAT(prompter.shown, ElementsAre(MatchesRegex(kSuccess)));
}

TEST_F(SendCommand, DumpThatCannotBeWrittenAnywhereEndsTheSend) {
    std::filesystem::create_directory(program.path() / "USBSendData.bin");
    std::ofstream(perUser.path() / "file") << "not a folder";
    request.fallbackDumpDirectory = perUser.path() / "file" / "lumera";
    MessageTable table;
    table.SetText(0, "A");
    EXPECT_EQ(send(table), SendOutcome::DumpFailed);
    const std::string path = (request.fallbackDumpDirectory / "USBSendData.bin").string();
    EXPECT_THAT(prompter.shown, ElementsAre("message: Create File " + path + "Error!"));
    EXPECT_EQ(sendData.size(), 1u + 2u + 5u) << "the image stays for the next look";
    EXPECT_EQ(display.opens, 0);
}

TEST_F(SendCommand, RunningPreviewIsStoppedFirst) {
    for (const bool running : {true, false}) {
        prompter.shown.clear();
        request.previewRunning = running;
        request.stopPreview = [&] { prompter.shown.push_back("stop preview"); };
        EXPECT_EQ(send(MessageTable{}), SendOutcome::NoData);
        if (running) {
            EXPECT_THAT(prompter.shown, ElementsAre("stop preview", "message: No Data Send!"));
        } else {
            EXPECT_THAT(prompter.shown, ElementsAre("message: No Data Send!"));
        }
    }
}

TEST_F(SendCommand, MissingGlyphTableLeavesBlankCellsAfterItsMessages) {
    std::filesystem::remove(program.path() / "window_zr1.bin");
    MessageTable table;
    table.SetText(0, "AB");
    EXPECT_EQ(send(table), SendOutcome::Delivered);
    const std::string missing =
        "message: Open File " + (program.path() / "window_zr1.bin").string() + "Error!";
    EXPECT_THAT(prompter.shown, ElementsAre(missing, missing, MatchesRegex(kSuccess)));
    EXPECT_EQ(sendData, (Bytes{0x01, 0x0A, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lumera::download
