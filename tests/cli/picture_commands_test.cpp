#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "animation/animation_cycle.h"
#include "animation/gif_writer.h"
#include "download/image_decoder.h"
#include "download/image_feed.h"
#include "editing/file_bytes.h"
#include "editing/message_table.h"
#include "glyph_table_dir.h"
#include "idle_fifo.h"
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
        EXPECT_EQ(err_, "") << "the glyph tables are beside lumera-cli";
        const QImage drawn = QImage::fromData(reinterpret_cast<const uchar*>(out_.data()),
                                              static_cast<int>(out_.size()), "PNG");
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32), preview.Image());
        EXPECT_NE(drawn, previous);
        previous = drawn;
    }
    EXPECT_TRUE(prompter.shown.empty());
}

// A drawing plays on the display (play, from the image) exactly as the preview shows it
// (frame, from the table), whichever way it is made and in either mode.
TEST_F(FrameCommandTest, PlayShowsADrawingAsFrameShowsIt) {
    testing::WriteBytes(Path("arrow.txt"), "...#....\n....#...\n########\n....#...\n...#....\n");
    const struct {
        const char* mode;
        const char* section;
    } cases[] = {
        {"--english", "2:3:dots="},
        {"--chinese", "4:1:dots="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_EQ(Run({"new", Path("drawn.lumera"), c.mode, "--force",
                       c.section + Path("arrow.txt"), "8:6:dots=" + Path("arrow.txt")}),
                  0)
            << err_;
        ASSERT_EQ(Run({"image", Path("drawn.lumera"), "-o", Path("drawn.bin"), "--force"}), 0)
            << err_;
        for (const char* tick : {"1", "9", "40", "120"}) {
            ASSERT_EQ(Run({"frame", Path("drawn.lumera"), "--tick", tick, "-o", "-"}), 0) << err_;
            const std::string preview = out_;
            ASSERT_EQ(Run({"play", Path("drawn.bin"), "--tick", tick, "-o", "-"}), 0) << err_;
            EXPECT_EQ(out_, preview) << "tick " << tick;
        }
    }
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
    ASSERT_FALSE(ReplaceFileContents(Path("out.png"), "old"));  // and stays as it was
    for (const char* command : {"frame", "animate"}) {
        EXPECT_EQ(Run({command, Path("text.led"), "-o", Path("out.png")}, alone / "lumera-cli"), 1);
        EXPECT_NE(err_.find("Open File " + (alone / "window_zr1.bin").string() + "Error!"),
                  std::string::npos)
            << command << ": " << err_;
        EXPECT_EQ(ReadFileBytes(Path("out.png")).bytes, "old") << command;
    }
}

// The frames of an animated GIF as a viewer shows them, with their delays.
struct Animation {
    std::vector<QImage> frames;
    std::vector<int> centiseconds;
    bool loops = false;
};

Animation ReadAnimation(const std::string& path) {
    Animation animation;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        ADD_FAILURE() << "cannot read " << path;
        return animation;
    }
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    const ColorMapObject* colors = gif->SColorMap;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& place = image.ImageDesc;
        for (int y = 0; y < place.Height; ++y) {
            for (int x = 0; x < place.Width; ++x) {
                const GifColorType color = colors->Colors[image.RasterBits[y * place.Width + x]];
                canvas.setPixel(place.Left + x, place.Top + y,
                                qRgb(color.Red, color.Green, color.Blue));
            }
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        animation.frames.push_back(canvas.copy());
        animation.centiseconds.push_back(control.DelayTime);
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            animation.loops =
                animation.loops || image.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE;
        }
    }
    DGifCloseFile(gif, &error);
    return animation;
}

// The largest difference of one colour channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

TEST_F(FrameCommandTest, DecodeAndPlayShowWhatTheImageHolds) {
    ASSERT_EQ(Run({"new", Path("two.led"), "--english", "0:6:HELLO", "4:3:AB"}), 0) << err_;
    ASSERT_EQ(Run({"image", Path("two.led"), "-o", Path("two.bin")}), 0) << err_;
    ASSERT_EQ(Run({"decode", "--raw", Path("two.bin")}), 0) << err_;
    EXPECT_EQ(out_,
              "mode: english\nsections: 2\nbytes: 40 of 2047\n1: open=0 close=6 columns=25\n"
              "2: open=4 close=3 columns=10\n");
    // By name, as show prints them; a nibble that names no effect is none.
    ASSERT_EQ(Run({"decode", Path("two.bin")}), 0) << err_;
    EXPECT_EQ(out_,
              "mode: english\nsections: 2\nbytes: 40 of 2047\n"
              "1: open=left-to-right close=all-extinguishes columns=25\n"
              "2: open=middle-to-two-nearby close=from-up-to-down columns=10\n");
    ASSERT_FALSE(ReplaceFileContents(Path("none.bin"), std::string("\x01\x00\x00", 3)));
    ASSERT_EQ(Run({"decode", Path("none.bin")}), 0) << err_;
    EXPECT_EQ(out_,
              "mode: english\nsections: 1\nbytes: 3 of 2047\n1: open=none close=none columns=0\n");

    const auto image = download::DecodeDownloadImage(*ReadFileBytes(Path("two.bin")).bytes);
    for (const int tick : {1, 3, 30, 31, 60}) {
        SCOPED_TRACE(tick);
        const std::string out = Path("play" + std::to_string(tick) + ".png");
        ASSERT_EQ(Run({"play", Path("two.bin"), "--tick", std::to_string(tick), "--color", "2",
                       "-o", out}),
                  0)
            << err_;
        LedPreview expected(
            std::make_unique<download::ImageFeed>(std::get<download::DecodedImage>(image)));
        expected.NextColor();
        expected.NextColor();
        ASSERT_TRUE(expected.Start());
        expected.Advance(tick);
        EXPECT_EQ(QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32),
                  expected.Image());
    }

    std::string truncated = *ReadFileBytes(Path("two.bin")).bytes;
    truncated.pop_back();
    ASSERT_FALSE(ReplaceFileContents(Path("bad.bin"), truncated));
    for (const char* command : {"decode", "play"}) {
        std::vector<std::string> args = {command, Path("bad.bin")};
        if (std::string(command) == "play") {
            args.insert(args.end(), {"-o", Path("bad.png")});
        }
        EXPECT_EQ(Run(args), 1) << command;
        EXPECT_NE(err_.find("offset 28: record 2 runs past the end"), std::string::npos) << err_;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("bad.png")));
}

TEST_F(FrameCommandTest, AnimateWritesOneCycleFrameByFrameWithTheRealTiming) {
    ASSERT_EQ(Run({"new", Path("hello.led"), "--english", "0:0:HELLO"}), 0) << err_;
    ASSERT_EQ(Run({"animate", Path("hello.led"), "--color", "1", "-o", Path("hello.gif")}), 0)
        << err_;
    const Animation animation = ReadAnimation(Path("hello.gif"));
    // 45 ticks open, the 46th holds; 45 ticks close, the 92nd ends the section and brings it
    // back: each hold lengthens the frame before it by a second.
    ASSERT_EQ(animation.frames.size(), 92u);
    EXPECT_TRUE(animation.loops);
    for (std::size_t k = 0; k < animation.centiseconds.size(); ++k) {
        EXPECT_EQ(animation.centiseconds[k], k == 44 || k == 90 ? 105 : 5) << "frame " << k + 1;
    }
    for (const int tick : {1, 20, 45, 46, 80, 92}) {
        SCOPED_TRACE(tick);
        ASSERT_EQ(Run({"frame", Path("hello.led"), "--tick", std::to_string(tick), "--color", "1",
                       "-o", Path("frame.png")}),
                  0);
        const QImage frame(QString::fromStdString(Path("frame.png")));
        ASSERT_EQ(frame.size(), QSize(160, 187));
        EXPECT_LE(LargestDifference(animation.frames[tick - 1], frame), 40);
        // The palette keeps what is lit apart from what is dark.
        EXPECT_NEAR(GreenExcess(animation.frames[tick - 1]), GreenExcess(frame),
                    GreenExcess(frame) / 20 + 500);
    }

    ASSERT_EQ(Run({"animate", Path("hello.led"), "--size", "374", "-o", Path("large.gif")}), 0);
    const Animation large = ReadAnimation(Path("large.gif"));
    ASSERT_EQ(large.frames.size(), 92u);
    EXPECT_EQ(large.frames[0].size(), QSize(320, 374));
    EXPECT_EQ(large.centiseconds, animation.centiseconds);

    // An image whose effect nibbles are 0 (no selection) never ends its section.
    ASSERT_FALSE(ReplaceFileContents(Path("endless.bin"), std::string("\x01\x01\x00\xFF", 4)));
    EXPECT_EQ(Run({"animate", Path("endless.bin"), "-o", Path("x.gif")}), 1);
    EXPECT_NE(err_.find("never ends"), std::string::npos) << err_;
    EXPECT_FALSE(std::filesystem::exists(Path("x.gif")));
    EXPECT_EQ(Run({"animate", Path("hello.led"), "--size", "8", "-o", Path("x.gif")}), 2);
    EXPECT_EQ(Run({"animate", Path("hello.led"), "-o", Path("no-such-folder/x.gif")}), 1);
    EXPECT_NE(err_.find("cannot write"), std::string::npos) << err_;
}

TEST_F(FrameCommandTest, RecordingACycleDrawsEveryFrameIntoThePreviewsOwnPicture) {
    // A frame still shared when the next is drawn makes the drawing copy the whole picture
    // into fresh memory first: at large sizes that costs far more than the drawing.
    ASSERT_EQ(Run({"new", Path("hello.led"), "--english", "0:0:HELLO"}), 0) << err_;
    ASSERT_EQ(Run({"image", Path("hello.led"), "-o", Path("hello.bin")}), 0) << err_;
    auto image = download::DecodeDownloadImage(*ReadFileBytes(Path("hello.bin")).bytes);
    LedPreview preview(
        std::make_unique<download::ImageFeed>(std::get<download::DecodedImage>(image)));
    ASSERT_TRUE(preview.Start());
    GifWriter writer(preview.Image().size(), GifPalette({}, {}));
    std::set<const uchar*> canvases;
    ASSERT_TRUE(PlayOneCycle(preview, [&](const QImage& frame, int centiseconds) {
        EXPECT_TRUE(writer.AddFrame(frame, centiseconds));
        canvases.insert(preview.Image().constBits());
    }));
    EXPECT_EQ(canvases.size(), 1u);
}

// FNV-1a over a file's bytes.
std::uint64_t FileHash(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::uint64_t hash = 1469598103934665603ull;
    for (std::istreambuf_iterator<char> byte(in), end; byte != end; ++byte) {
        hash = (hash ^ static_cast<unsigned char>(*byte)) * 1099511628211ull;
    }
    return hash;
}

TEST_F(FrameCommandTest, AnimationsKeepEveryByte) {
    struct Case {
        std::vector<std::string> table;  // lumera-cli new's mode and sections
        std::vector<std::string> options;
        std::uint64_t hash;
    };
    const Case cases[] = {
        // Every opening and closing effect.
        {{"--english", "0:0:HELLO", "1:1:LUMERA LED", "2:2:OPEN 9AM", "3:3:AB", "4:4:WELCOME HOME",
          "5:5:X", "6:6:THANK YOU!", "7:0:ROUND", "8:1:AND ROUND"},
         {"--color", "2"},
         0x65e5070bb95c67f5ull},
        // Characters and glyphs (\\xHH for lumera-cli), turning, at another size.
        {{"--chinese", "7:5:\xE4\xB8\xAD\xE6\x96\x87\\x01\xE6\x98\xBE\xE7\xA4\xBA",
          "2:3:\\x0BA\xE4\xBD\xA0\xE5\xA5\xBD"},
         {"--color", "3", "--size", "374"},
         0xf904339a03b020d5ull},
        {{"--english", "8:2:HELLO"}, {"--color", "1", "--size", "100"}, 0xc7eb1c2fd3a26190ull},
    };
    for (const Case& c : cases) {
        std::vector<std::string> make{"new", "--force", Path("table.led")};
        make.insert(make.end(), c.table.begin(), c.table.end());
        ASSERT_EQ(Run(make), 0) << err_;
        std::vector<std::string> animate{"animate", Path("table.led"), "-o", Path("table.gif")};
        animate.insert(animate.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(Run(animate), 0) << err_;
        EXPECT_EQ(FileHash(Path("table.gif")), c.hash) << c.table[1];
    }
}

TEST_F(FrameCommandTest, WritesStandardOutputOrAWholeRegularFileAndNeverWaits) {
    ASSERT_EQ(Run({"new", Path("hi.led"), "--english", "0:0:HI"}), 0) << err_;
    ASSERT_EQ(Run({"animate", Path("hi.led"), "-o", "-"}), 0) << err_;
    EXPECT_EQ(out_.rfind("GIF89a", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists("-"));
    testing::MakeIdleFifo(Path("fifo"));
    for (const char* command : {"frame", "image", "animate"}) {
        const auto write = [&] { return Run({command, Path("hi.led"), "-o", Path("fifo")}); };
        EXPECT_EQ(testing::WithoutWaitingOn(Path("fifo"), write), 1);
        EXPECT_NE(err_.find("cannot write " + Path("fifo") + ": not a regular file but a FIFO"),
                  std::string::npos)
            << err_;
    }
}

}  // namespace
}  // namespace lumera
