#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "../render/render_test_support.h"
#include "editing/message_table.h"
#include "program_run.h"
#include "render/led_preview.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

class FrameCommandTest : public ::testing::Test {
protected:
    // Runs lumera-cli (or the program given); returns its exit code and keeps its output in
    // out_ and err_.
    int Run(std::vector<std::string> args,
            const std::filesystem::path& program = LUMERA_BIN_DIR "/lumera-cli") {
        const testing::ProgramRun run = testing::RunProgram(program, std::move(args), dir_.path());
        out_ = run.out;
        err_ = run.err;
        return run.exitCode;
    }

    std::string Path(const std::string& name) const { return (dir_.path() / name).string(); }

    // The summed green minus red of the image: how much green light it shows.
    static long GreenExcess(const QImage& image) {
        long excess = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                excess += std::max(qGreen(image.pixel(x, y)) - qRed(image.pixel(x, y)), 0);
            }
        }
        return excess;
    }

    testing::GlyphTableDir dir_;
    std::string out_;
    std::string err_;
};

TEST_F(FrameCommandTest, EachTickIsTheFrameThePreviewDrawsOnThatTick) {
    // Left to right opens ten columns a tick; in Chinese mode an LED column is 7.5 columns
    // wide, so ticks 1 and 2 light different LEDs.
    ASSERT_EQ(Run({"new", Path("open.led"), "--chinese", "0:0:HELLO"}), 0) << err_;
    MessageTable table;
    table.Reset(false);
    table.SetText(0, "HELLO");
    testing::ScriptedPrompter prompter;
    LedPreview preview(table, {LUMERA_BIN_DIR, prompter});
    ASSERT_TRUE(preview.Start());
    QImage previous;
    for (const int tick : {1, 2}) {
        SCOPED_TRACE(tick);
        ASSERT_EQ(preview.Tick().holdMilliseconds, 0);
        // "-o -" hands the PNG over on standard output.
        ASSERT_EQ(Run({"frame", Path("open.led"), "--tick", std::to_string(tick), "-o", "-"}), 0)
            << err_;
        const QImage drawn = QImage::fromData(reinterpret_cast<const uchar*>(out_.data()),
                                              static_cast<int>(out_.size()), "PNG");
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32), preview.Image());
        EXPECT_NE(drawn, previous);
        previous = drawn;
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FrameCommandTest, WritesTheFrameOfTheGivenTickInTheGivenColour) {
    ASSERT_EQ(Run({"new", Path("hello.led"), "--english", "0:0:HELLO"}), 0) << err_;
    // Left to right on 5 characters holds on tick 46 and then shows the whole text.
    ASSERT_EQ(
        Run({"frame", Path("hello.led"), "--tick", "46", "--color", "1", "-o", Path("whole.png")}),
        0)
        << err_;
    ASSERT_EQ(Run({"frame", Path("hello.led"), "--color", "1", "-o", Path("first.png")}), 0);
    EXPECT_EQ(err_, "") << "the glyph tables are beside lumera-cli";
    const QImage whole(QString::fromStdString(Path("whole.png")));
    const QImage first(QString::fromStdString(Path("first.png")));
    ASSERT_EQ(whole.size(), QSize(160, 187));
    ASSERT_EQ(first.size(), QSize(160, 187));
    // The first frame shows 10 of 450 columns; the whole text lights far more.
    EXPECT_GT(GreenExcess(whole), GreenExcess(first) + 10000);
}

TEST_F(FrameCommandTest, RefusesWhatItCannotDraw) {
    ASSERT_EQ(Run({"new", Path("blank.led"), "--english", "0:0:   "}), 0) << err_;
    ASSERT_EQ(Run({"new", Path("text.led"), "--english", "0:0:HI"}), 0) << err_;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"frame", Path("blank.led"), "-o", Path("out.png")}, 1, "no section"},
        {{"frame", Path("missing.led"), "-o", Path("out.png")}, 1, "missing.led"},
        {{"frame", Path("text.led"), "--color", "4", "-o", Path("out.png")}, 2, "--color"},
        {{"frame", Path("text.led"), "--tick", "0", "-o", Path("out.png")}, 2, "--tick"},
        {{"frame", Path("text.led")}, 2, "-o OUT.png"},
        {{"frame", Path("text.led"), "-o", Path("no-such-folder/out.png")}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(Run(c.args), c.exitCode);
        EXPECT_NE(err_.find(c.says), std::string::npos) << err_;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.png")));

    // Without its glyph tables the program reports each failed open and draws nothing.
    const std::filesystem::path alone = Path("alone");
    std::filesystem::create_directory(alone);
    std::filesystem::copy_file(LUMERA_BIN_DIR "/lumera-cli", alone / "lumera-cli");
    EXPECT_EQ(Run({"frame", Path("text.led"), "-o", Path("out.png")}, alone / "lumera-cli"), 1);
    EXPECT_NE(err_.find("Open File " + (alone / "window_zr1.bin").string() + "Error!"),
              std::string::npos)
        << err_;
    EXPECT_FALSE(std::filesystem::exists(Path("out.png")));
}

}  // namespace
}  // namespace lumera
