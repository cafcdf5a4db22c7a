#include "drawing/drawing_makers.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <fstream>

#include "temp_directory.h"

namespace lumera::drawing {
namespace {

constexpr int kRows = 8;

// Two pixels side by side, scaled to 16 x 8 dots: the left half shows the first.
QImage Pair(QColor left, QColor right) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixelColor(0, 0, left);
    picture.setPixelColor(1, 0, right);
    return picture;
}

TEST(DrawingMakers, DarkPixelsLightDotsAtTheThresholdAndTransparentOnesNever) {
    const QColor halfDark(127, 127, 127);  // 51 % dark
    const struct {
        const char* what;
        QColor left;
        PictureSettings settings;
        bool lit;
    } cases[] = {
        {"black", Qt::black, {}, true},
        {"white", Qt::white, {}, false},
        {"51 % dark at 51", halfDark, {51, false, false}, true},
        {"51 % dark at 52", halfDark, {52, false, false}, false},
        {"white, inverted", Qt::white, {50, true, false}, true},
        {"transparent black", QColor(0, 0, 0, 0), {}, false},
        {"transparent white, inverted", QColor(255, 255, 255, 0), {50, true, false}, false},
        {"everything at 0", Qt::white, {0, false, false}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Made made = DrawingFromImage(Pair(c.left, QColor(0, 0, 0, 0)), kRows, c.settings);
        ASSERT_TRUE(made.drawing) << made.error;
        ASSERT_EQ(made.drawing->columns.size(), 16u);
        EXPECT_EQ(made.drawing->columns.front(), c.lit ? 0xFF : 0x00);
        EXPECT_EQ(made.drawing->columns.back(), 0x00);
        EXPECT_EQ(made.drawing->source.threshold, c.settings.threshold);
    }
}

TEST(DrawingMakers, APictureWiderThanASectionIsRefusedWithItsWidthOrCropped) {
    QImage wide(512, 16, QImage::Format_RGB32);  // 256 columns at 8 dots
    wide.fill(Qt::black);
    const Made refused = DrawingFromImage(wide, kRows, {});
    EXPECT_FALSE(refused.drawing);
    EXPECT_NE(refused.error.find("256 columns"), std::string::npos) << refused.error;
    const Made cropped = DrawingFromImage(wide, kRows, {50, false, true});
    ASSERT_TRUE(cropped.drawing);
    EXPECT_EQ(cropped.drawing->columns.size(), static_cast<std::size_t>(kMostSectionColumns));
    EXPECT_TRUE(DrawingFromImage(wide.copy(0, 0, 510, 16), kRows, {}).drawing);  // 255
}

TEST(DrawingMakers, PictureFilesAreReadByTheirContentAndRemembered) {
    const testing::TempDirectory folder{"lumera-drawing"};
    const auto path = [&](const char* name) { return folder.path() / name; };
    Pair(Qt::black, Qt::white).save(QString::fromStdString(path("pair.png").string()));
    std::ofstream(path("pair.svg"))
        << R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">)"
           R"(<rect x="0" y="0" width="10" height="10" fill="black"/></svg>)";
    std::ofstream(path("broken.png")) << "not a picture";
    for (const char* name : {"pair.png", "pair.svg"}) {
        SCOPED_TRACE(name);
        const Made made = DrawingFromPictureFile(path(name), kRows, {});
        ASSERT_TRUE(made.drawing) << made.error;
        ASSERT_EQ(made.drawing->columns.size(), 16u);
        EXPECT_EQ(made.drawing->columns.front(), 0xFF);
        EXPECT_EQ(made.drawing->columns.back(), 0x00);
        EXPECT_EQ(made.drawing->source.kind, DrawingSource::Kind::Picture);
        EXPECT_EQ(made.drawing->source.file, path(name).string());
    }
    const Made broken = DrawingFromPictureFile(path("broken.png"), kRows, {});
    EXPECT_FALSE(broken.drawing);
    EXPECT_EQ(broken.error.rfind(path("broken.png").string() + " cannot be read", 0), 0u);
}

TEST(DrawingMakers, TextIsDrawnCrispWithinTheRowsAndTrimmed) {
    static int argc = 1;
    static char name[] = "drawing_makers_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    for (const bool english : {true, false}) {
        const int rows = DrawingRows(english);
        SCOPED_TRACE(rows);
        const Made plain = DrawingFromText("HI", rows, {"Nimbus Sans", false, false, 0});
        ASSERT_TRUE(plain.drawing) << plain.error;
        const std::vector<std::uint16_t>& columns = plain.drawing->columns;
        ASSERT_GE(columns.size(), 3u);
        EXPECT_NE(columns.front(), 0);
        EXPECT_NE(columns.back(), 0);
        for (const std::uint16_t column : columns) {
            EXPECT_EQ(column >> rows, 0);
        }
        const Made spaced = DrawingFromText("HI", rows, {"Nimbus Sans", true, false, 3});
        ASSERT_TRUE(spaced.drawing);
        EXPECT_GT(spaced.drawing->columns.size(), columns.size());
        EXPECT_EQ(spaced.drawing->source.text, "HI");
        EXPECT_TRUE(spaced.drawing->source.bold);
    }
    const Made tooLong = DrawingFromText(std::string(200, 'W'), kRows, {"Nimbus Sans"});
    EXPECT_FALSE(tooLong.drawing);
    EXPECT_NE(tooLong.error.find("columns"), std::string::npos);
}

}  // namespace
}  // namespace lumera::drawing
