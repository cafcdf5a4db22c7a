#include "animation/gif_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <vector>

namespace lumera {
namespace {

constexpr QSize kSize{7, 5};
const QRgb kDark = qRgb(0, 0, 0);
const QRgb kLit = qRgb(255, 0, 0);

QImage Frame(std::initializer_list<QPoint> lit) {
    QImage frame(kSize, QImage::Format_RGB32);
    frame.fill(kDark);
    for (const QPoint& at : lit) {
        frame.setPixel(at, kLit);
    }
    return frame;
}

// Every frame comes back whole after decoding, with its delay, whichever part of the picture
// changed: the corners are where a changed rectangle one pixel short would show.
TEST(GifWriter, EveryFrameDecodesToThePictureGivenWithItsDelay) {
    const struct {
        const char* what;
        QImage frame;
        int centiseconds;
        int delayShown;  // milliseconds
    } frames[] = {
        {"first, whole", Frame({{0, 0}}), 5, 50},
        {"both ends of the last line", Frame({{0, 0}, {0, 4}, {6, 4}}), 7, 70},
        {"nothing changes", Frame({{0, 0}, {0, 4}, {6, 4}}), 9, 90},
        {"both ends of the first line", Frame({{6, 0}, {0, 4}, {6, 4}}), 11, 110},
        {"a delay longer than the file can hold", Frame({{6, 0}}), 70000, 655350},
    };
    GifWriter writer(kSize, GifPalette({frames[0].frame}, {kDark, kLit}));
    for (const auto& f : frames) {
        ASSERT_TRUE(writer.AddFrame(f.frame, f.centiseconds)) << f.what;
    }
    const std::optional<std::string> file = writer.Finish();
    ASSERT_TRUE(file);

    QByteArray bytes = QByteArray::fromStdString(*file);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.imageCount(), static_cast<int>(std::size(frames)));
    for (const auto& f : frames) {
        const QImage decoded = reader.read();
        ASSERT_FALSE(decoded.isNull()) << f.what << ": " << reader.errorString().toStdString();
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), f.frame) << f.what;
        EXPECT_EQ(reader.nextImageDelay(), f.delayShown) << f.what;
    }
    EXPECT_EQ(reader.loopCount(), -1);  // for ever
}

TEST(GifWriter, AFrameOfAnotherSizeSpoilsTheFileNotTheProgram) {
    GifWriter writer(kSize, GifPalette({Frame({})}, {kDark, kLit}));
    ASSERT_TRUE(writer.AddFrame(Frame({}), 1));
    EXPECT_FALSE(writer.AddFrame(QImage(QSize(6, 5), QImage::Format_RGB32), 1));
    EXPECT_FALSE(writer.AddFrame(Frame({}), 1));  // nothing is added after a failure
    EXPECT_FALSE(writer.Finish());
}

}  // namespace
}  // namespace lumera
