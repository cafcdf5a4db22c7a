// A floor is fair only when it does the very work it stands for: the giflib floor writes
// lumera-cli's animation again, byte for byte, from its frames, and the PNG floor writes a
// picture with the very pixels of lumera-cli's frame.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "program_run.h"
#include "temp_directory.h"

namespace lumera {
namespace {

class FloorsTest : public ::testing::Test {
protected:
    // Runs `program` (of the build's bin or bench folder) in the scratch folder.
    void Run(const std::filesystem::path& program, std::vector<std::string> args) {
        const testing::ProgramRun run = testing::RunProgram(program, std::move(args), dir_.path());
        ASSERT_EQ(run.exitCode, 0) << program << ": " << run.err;
    }
    void Cli(std::vector<std::string> args) { Run(LUMERA_BIN_DIR "/lumera-cli", std::move(args)); }
    void Floor(const char* name, std::vector<std::string> args) {
        Run(std::filesystem::path(LUMERA_BENCH_DIR) / name, std::move(args));
    }

    std::string Path(const char* name) const { return (dir_.path() / name).string(); }

    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testing::TempDirectory dir_;
};

TEST_F(FloorsTest, FloorsWriteWhatLumeraCliWrites) {
    Cli({"new", Path("table.led"), "--english", "4:5:HELLO", "7:2:LED"});
    Cli({"animate", Path("table.led"), "--color", "3", "-o", Path("ours.gif")});
    Floor("floor_gif", {"--frames-of", Path("ours.gif"), Path("frames")});
    Floor("floor_gif", {Path("frames"), Path("floor.gif")});
    const std::string ours = Bytes(Path("ours.gif"));
    EXPECT_GT(ours.size(), 1000u);
    EXPECT_TRUE(ours == Bytes(Path("floor.gif"))) << "the GIFs differ";

    Cli({"frame", Path("table.led"), "--tick", "30", "-o", Path("ours.png")});
    Floor("floor_png", {"--pixels-of", Path("ours.png"), Path("pixels")});
    Floor("floor_png", {Path("pixels"), Path("floor.png")});
    const QImage frame(QString::fromStdString(Path("ours.png")));
    EXPECT_EQ(frame.size(), QSize(160, 187));
    EXPECT_EQ(QImage(QString::fromStdString(Path("floor.png"))).convertToFormat(frame.format()),
              frame);
}

}  // namespace
}  // namespace lumera
