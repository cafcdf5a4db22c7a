#pragma once

#include <QImage>
#include <QRgb>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumera {

// A palette of at most 256 colours made from sample pictures, with a quick way back from
// any colour to its nearest entry.
class GifPalette {
public:
    // The most telling colours of the samples, by median cut; `exact` colours are kept as
    // they are.
    GifPalette(const std::vector<QImage>& samples, const std::vector<QRgb>& exact);

    const std::vector<QRgb>& Colors() const { return colors_; }
    std::uint8_t IndexOf(QRgb color) {
        // Neighbouring pixels mostly share their colour.
        if (color != lastColor_) {
            lastColor_ = color;
            lastIndex_ = Look(color);
        }
        return lastIndex_;
    }

private:
    std::uint8_t Look(QRgb color);

    std::vector<QRgb> colors_;
    std::size_t exactCount_;  // the first entries, kept as given
    // Nearest entry for each colour at 5 bits a channel; -1 until first asked for.
    std::vector<std::int16_t> nearest_;
    QRgb lastColor_;
    std::uint8_t lastIndex_;
};

// Builds, in memory, an animated picture that loops for ever, frame by frame, each frame
// only where it differs from the one before.
class GifWriter {
public:
    GifWriter(QSize size, GifPalette palette);
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;
    ~GifWriter();

    // Frames must have the writer's size. False when the frame could not be encoded.
    bool AddFrame(const QImage& frame, int centiseconds);
    // The whole file; nullopt when any part could not be encoded.
    std::optional<std::string> Finish();

private:
    struct Encoder;
    // Pixels [left, right] x [top, bottom], inclusive; empty when right < left.
    struct Area {
        int left, top, right, bottom;

        // Grows to hold pixel (x, y).
        void Take(int x, int y) {
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    };

    // Where frame's pixels differ from the previous frame's.
    Area ChangedPixels(const QImage& frame) const;
    bool PutFrame(const Area& area, int centiseconds);
    // Brings previousFrame_ up to `frame`, which differs from it only within `changed`.
    void KeepChangedLines(const QImage& frame, const Area& changed);

    std::unique_ptr<Encoder> encoder_;
    std::string bytes_;
    QSize size_;
    GifPalette palette_;
    QImage previousFrame_;                // null before the first frame
    std::vector<std::uint8_t> previous_;  // its palette indices
    bool failed_ = false;
};

}  // namespace lumera
