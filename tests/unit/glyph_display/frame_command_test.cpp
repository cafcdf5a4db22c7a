#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "../render/render_test_support.h"
#include "program_run.h"

namespace lumera {
namespace {

class FrameCommandTest : public ::testing::Test {
protected:
    // Runs lumera-cli; returns its exit code and keeps its stderr in err_.
    int Run(std::vector<std::string> args) {
        const testing::ProgramRun run =
            testing::RunProgram(LUMERA_BIN_DIR "/lumera-cli", std::move(args), dir_.path());
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
    std::string err_;
};

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
}

}  // namespace
}  // namespace lumera
