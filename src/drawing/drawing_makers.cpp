#include "drawing/drawing_makers.h"

#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace lumera::drawing {
namespace {

constexpr int kFullPercent = 100;
constexpr int kFullChannel = 255;
constexpr int kOpaqueEnough = 128;  // alpha from which a pixel counts as there

int WidthAt(QSize size, int rows) {
    if (size.height() <= 0) {
        return 0;
    }
    return std::max(
        1, static_cast<int>(std::lround(static_cast<double>(size.width()) * rows / size.height())));
}

std::string TooWide(int columns) {
    return "the drawing would need " + std::to_string(columns) +
           " columns; a section shows at most " + std::to_string(kMostSectionColumns) +
           " (crop it, or make it narrower)";
}

bool Lit(QRgb pixel, const PictureSettings& settings) {
    if (qAlpha(pixel) < kOpaqueEnough) {
        return false;
    }
    const int darkness = kFullPercent - qGray(pixel) * kFullPercent / kFullChannel;
    return (darkness >= settings.threshold) != settings.invert;
}

// The dots of a picture already `rows` high, its columns left to right.
std::vector<std::uint16_t> Dots(const QImage& scaled, int columns,
                                const PictureSettings& settings) {
    const QImage pixels = scaled.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint16_t> dots(static_cast<std::size_t>(columns), 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < columns; ++x) {
            if (Lit(line[x], settings)) {
                dots[static_cast<std::size_t>(x)] |= static_cast<std::uint16_t>(1u << y);
            }
        }
    }
    return dots;
}

Made FromScaled(const QImage& scaled, const PictureSettings& settings) {
    const int columns = std::min(scaled.width(), kMostSectionColumns);
    if (scaled.width() > kMostSectionColumns && !settings.crop) {
        return {std::nullopt, TooWide(scaled.width())};
    }
    Drawing drawing;
    drawing.columns = Dots(scaled, columns, settings);
    drawing.source.kind = DrawingSource::Kind::Picture;
    drawing.source.threshold = settings.threshold;
    drawing.source.invert = settings.invert;
    return {std::move(drawing), {}};
}

// The largest font of the settings in which the ink of `text` fits `rows` dots: capitals
// alone fill the column, descenders make them smaller.
QFont FittedFont(const FontSettings& settings, const QString& text, int rows) {
    constexpr int kLargestScale = 3;
    QFont font(QString::fromStdString(settings.family));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setLetterSpacing(QFont::AbsoluteSpacing, settings.spacing);
    for (int pixels = rows * kLargestScale; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).tightBoundingRect(text).height() <= rows) {
            break;
        }
    }
    return font;
}

// Leaves out the blank columns at both ends.
std::vector<std::uint16_t> Trimmed(std::vector<std::uint16_t> columns) {
    const auto lit = [](std::uint16_t column) { return column != 0; };
    const auto first = std::find_if(columns.begin(), columns.end(), lit);
    const auto last = std::find_if(columns.rbegin(), columns.rend(), lit).base();
    return first < last ? std::vector<std::uint16_t>(first, last) : std::vector<std::uint16_t>();
}

}  // namespace

Made DrawingFromImage(const QImage& picture, int rows, const PictureSettings& settings) {
    if (picture.isNull()) {
        return {std::nullopt, "the picture is empty"};
    }
    const int width = WidthAt(picture.size(), rows);
    return FromScaled(picture.scaled(width, rows, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                      settings);
}

Made DrawingFromPictureFile(const std::filesystem::path& file, int rows,
                            const PictureSettings& settings) {
    QImageReader reader(QString::fromStdString(file.string()));
    const QSize size = reader.size();
    if (size.isValid()) {
        // JPEG decodes straight at the small size, SVG renders at it: a photo of millions of
        // pixels then costs little more than a thumbnail.
        reader.setScaledSize(QSize(WidthAt(size, rows), rows));
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        return {std::nullopt, file.string() + " cannot be read as a picture: " +
                                  reader.errorString().toStdString()};
    }
    Made made = picture.height() == rows ? FromScaled(picture, settings)
                                         : DrawingFromImage(picture, rows, settings);
    if (made.drawing) {
        made.drawing->source.file = file.string();
    }
    return made;
}

Made DrawingFromText(const std::string& text, int rows, const FontSettings& settings) {
    const QString shown = QString::fromStdString(text);
    const QFont font = FittedFont(settings, shown, rows);
    const QFontMetrics metrics(font);
    // The ink, from the pen's start on the baseline: it may reach left of the start.
    const QRect ink = metrics.tightBoundingRect(shown);
    const int left = std::max(0, -ink.left());
    const int width =
        std::max(1, left + std::max(metrics.horizontalAdvance(shown), ink.right() + 1));
    QImage canvas(width, rows, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(left, (rows - ink.height()) / 2 - ink.top(), shown);
    }
    Drawing drawing;
    drawing.columns = Trimmed(Dots(canvas, width, PictureSettings{}));
    if (drawing.columns.size() > static_cast<std::size_t>(kMostSectionColumns)) {
        return {std::nullopt, TooWide(static_cast<int>(drawing.columns.size()))};
    }
    drawing.source.kind = DrawingSource::Kind::Font;
    drawing.source.family = settings.family;
    drawing.source.bold = settings.bold;
    drawing.source.italic = settings.italic;
    drawing.source.spacing = settings.spacing;
    drawing.source.text = text;
    return {std::move(drawing), {}};
}

}  // namespace lumera::drawing
