// The floor of drawing one frame: a Qt program writing a 160 x 187 picture as a PNG.
//   floor_png --pixels-of IN.png PIXELS   keeps the picture's pixels, raw (made once)
//   floor_png PIXELS OUT.png              writes them as a PNG (the part measured)
#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 187;

int KeepPixels(const char* png, const char* pixels) {
    const QImage image = QImage(QString::fromLocal8Bit(png)).convertToFormat(QImage::Format_RGB32);
    QFile out(QString::fromLocal8Bit(pixels));
    if (image.size() != QSize(kWidth, kHeight) || !out.open(QIODevice::WriteOnly)) {
        return 1;
    }
    return out.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
                   image.sizeInBytes()
               ? 0
               : 1;
}

int WritePng(const char* pixels, const char* png) {
    QFile in(QString::fromLocal8Bit(pixels));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    if (!in.open(QIODevice::ReadOnly) || in.read(reinterpret_cast<char*>(image.bits()),
                                                 image.sizeInBytes()) != image.sizeInBytes()) {
        return 1;
    }
    return image.save(QString::fromLocal8Bit(png), "PNG") ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--pixels-of") == 0) {
        return KeepPixels(argv[2], argv[3]);
    }
    if (argc == 3) {
        return WritePng(argv[1], argv[2]);
    }
    std::fprintf(stderr, "usage: floor_png [--pixels-of IN.png] PIXELS OUT.png\n");
    return 2;
}
