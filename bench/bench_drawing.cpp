// Making drawings: a photo as dots (goal: 150 ms for 4000 x 3000), a font text redrawn as the
// operator types (goal: 5 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "drawing/drawing_makers.h"

namespace {

using namespace lumera;

constexpr int kChineseRows = 16;

// A 4000 x 3000 JPEG photo-like picture (a gradient under a few shapes), written once.
std::filesystem::path Photo() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("lumera-bench-photo-" + std::to_string(::getpid()) + ".jpg");
        QImage photo(4000, 3000, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, 4000, 3000);
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, Qt::darkBlue);
        painter.fillRect(photo.rect(), gradient);
        painter.setBrush(Qt::black);
        painter.drawEllipse(500, 500, 1500, 1500);
        painter.end();
        photo.save(QString::fromStdString(file.string()), "JPEG", 90);
        std::atexit([] { std::filesystem::remove(path); });
        return file;
    }();
    return path;
}

void BM_DrawingFromPhoto(benchmark::State& state) {
    const std::filesystem::path photo = Photo();
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawing::DrawingFromPictureFile(photo, kChineseRows, {}));
    }
}
BENCHMARK(BM_DrawingFromPhoto)->Unit(benchmark::kMillisecond);

void BM_DrawingFromTypedText(benchmark::State& state) {
    std::string text = "Opening hours 9";
    for (auto _ : state) {
        text.back() = static_cast<char>('0' + (text.back() - '0' + 1) % 10);
        benchmark::DoNotOptimize(
            drawing::DrawingFromText(text, kChineseRows, {"Nimbus Sans", true, false, 1}));
    }
}
BENCHMARK(BM_DrawingFromTypedText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
