#include "animation/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace lumera {
namespace {

constexpr int kMostColors = 256;
constexpr int kBucketBits = 5;
constexpr int kBucketCount = 1 << (3 * kBucketBits);
constexpr std::uint16_t kMostCentiseconds = std::numeric_limits<std::uint16_t>::max();

int Bucket(QRgb color) {
    constexpr int drop = 8 - kBucketBits;
    return ((qRed(color) >> drop) << (2 * kBucketBits)) | ((qGreen(color) >> drop) << kBucketBits) |
           (qBlue(color) >> drop);
}

int Distance(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// A weighted colour of the samples.
struct Sample {
    std::array<int, 3> rgb;
    long weight;
};

// Splits the boxes of samples, widest first, at their weighted median until there are
// `wanted` boxes; each box gives its weighted mean colour.
std::vector<QRgb> MedianCut(std::vector<Sample> samples, int wanted) {
    using Box = std::pair<std::size_t, std::size_t>;  // [first, last) in samples
    std::vector<Box> boxes{{0, samples.size()}};
    const auto spread = [&](const Box& box, int& axis) {
        int widest = -1;
        for (int c = 0; c < 3; ++c) {
            int low = 255, high = 0;
            for (std::size_t i = box.first; i < box.second; ++i) {
                low = std::min(low, samples[i].rgb[c]);
                high = std::max(high, samples[i].rgb[c]);
            }
            if (high - low > widest) {
                widest = high - low;
                axis = c;
            }
        }
        return widest;
    };
    while (static_cast<int>(boxes.size()) < wanted) {
        int bestAxis = 0, bestSpread = 0;
        std::size_t best = boxes.size();
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            int axis = 0;
            const int width = boxes[b].second - boxes[b].first > 1 ? spread(boxes[b], axis) : 0;
            if (width > bestSpread) {
                bestSpread = width, bestAxis = axis, best = b;
            }
        }
        if (best == boxes.size()) {
            break;
        }
        auto [first, last] = boxes[best];
        std::sort(samples.begin() + first, samples.begin() + last,
                  [bestAxis](const Sample& a, const Sample& b) {
                      return a.rgb[bestAxis] < b.rgb[bestAxis];
                  });
        long total = 0;
        for (std::size_t i = first; i < last; ++i) {
            total += samples[i].weight;
        }
        std::size_t split = first + 1;
        for (long seen = samples[first].weight; split < last - 1 && seen * 2 < total; ++split) {
            seen += samples[split].weight;
        }
        boxes[best] = {first, split};
        boxes.push_back({split, last});
    }
    std::vector<QRgb> colors;
    for (const auto& [first, last] : boxes) {
        double sums[3] = {0, 0, 0};
        double weight = 0;
        for (std::size_t i = first; i < last; ++i) {
            for (int c = 0; c < 3; ++c) {
                sums[c] += samples[i].rgb[c] * static_cast<double>(samples[i].weight);
            }
            weight += samples[i].weight;
        }
        if (weight > 0) {
            colors.push_back(qRgb(static_cast<int>(sums[0] / weight + 0.5),
                                  static_cast<int>(sums[1] / weight + 0.5),
                                  static_cast<int>(sums[2] / weight + 0.5)));
        }
    }
    return colors;
}

}  // namespace

GifPalette::GifPalette(const std::vector<QImage>& samples, const std::vector<QRgb>& exact)
    : colors_(exact), exactCount_(exact.size()), nearest_(kBucketCount, -1) {
    std::map<QRgb, long> counts;
    for (const QImage& image : samples) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x) {
                ++counts[line[x] | 0xFF000000u];
            }
        }
    }
    for (QRgb color : exact) {
        counts.erase(color | 0xFF000000u);
    }
    std::vector<Sample> weighted;
    for (const auto& [color, count] : counts) {
        // Rare colours are the edges of LEDs; the square root keeps them from being drowned
        // by the wide face.
        weighted.push_back({{qRed(color), qGreen(color), qBlue(color)},
                            1 + static_cast<long>(std::sqrt(static_cast<double>(count)))});
    }
    const int room = kMostColors - static_cast<int>(colors_.size());
    if (!weighted.empty() && room > 0) {
        const std::vector<QRgb> cut = MedianCut(std::move(weighted), room);
        colors_.insert(colors_.end(), cut.begin(), cut.end());
    }
    if (colors_.empty()) {
        colors_.push_back(qRgb(0, 0, 0));
    }
    lastColor_ = colors_.front();
    lastIndex_ = Look(lastColor_);
}

std::uint8_t GifPalette::Look(QRgb color) {
    for (std::size_t i = 0; i < exactCount_; ++i) {
        if ((colors_[i] | 0xFF000000u) == (color | 0xFF000000u)) {
            return static_cast<std::uint8_t>(i);
        }
    }
    std::int16_t& cached = nearest_[Bucket(color)];
    if (cached < 0) {
        // The middle of the colour's bucket stands for every colour in it.
        constexpr int half = 1 << (8 - kBucketBits - 1);
        const QRgb centre =
            qRgb(std::min(qRed(color) | half, 255), std::min(qGreen(color) | half, 255),
                 std::min(qBlue(color) | half, 255));
        int best = 0;
        for (std::size_t i = 1; i < colors_.size(); ++i) {
            if (Distance(colors_[i], centre) < Distance(colors_[best], centre)) {
                best = static_cast<int>(i);
            }
        }
        cached = static_cast<std::int16_t>(best);
    }
    return static_cast<std::uint8_t>(cached);
}

struct GifWriter::Encoder {
    GifFileType* gif = nullptr;
};

namespace {

int AppendToString(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

}  // namespace

GifWriter::GifWriter(QSize size, GifPalette palette)
    : encoder_(std::make_unique<Encoder>()), size_(size), palette_(std::move(palette)) {
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes_, AppendToString, &code);
    encoder_->gif = gif;
    if (!gif) {
        failed_ = true;
        return;
    }
    std::vector<GifColorType> colors(kMostColors);
    const std::vector<QRgb>& used = palette_.Colors();
    for (std::size_t i = 0; i < used.size(); ++i) {
        colors[i] = {static_cast<GifByteType>(qRed(used[i])),
                     static_cast<GifByteType>(qGreen(used[i])),
                     static_cast<GifByteType>(qBlue(used[i]))};
    }
    ColorMapObject* map = GifMakeMapObject(kMostColors, colors.data());
    EGifSetGifVersion(gif, true);
    bool written = map && EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // Loop for ever.
    static const GifByteType kNetscape[] = "NETSCAPE2.0";
    const GifByteType loop[] = {1, 0, 0};
    written = written && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
              EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
              EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK &&
              EGifPutExtensionTrailer(gif) == GIF_OK;
    failed_ = !written;
}

GifWriter::~GifWriter() {
    if (encoder_->gif) {
        int code = 0;
        EGifCloseFile(encoder_->gif, &code);
    }
}

GifWriter::Area GifWriter::ChangedPixels(const QImage& frame) const {
    const int width = size_.width();
    const std::size_t lineBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    Area changed{width, size_.height(), -1, -1};
    for (int y = 0; y < size_.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        const auto* before = reinterpret_cast<const QRgb*>(previousFrame_.constScanLine(y));
        if (std::memcmp(line, before, lineBytes) == 0) {
            continue;
        }
        int first = 0, last = width - 1;
        while (line[first] == before[first]) {
            ++first;
        }
        while (line[last] == before[last]) {
            --last;
        }
        changed.Take(first, y);
        changed.Take(last, y);
    }
    return changed;
}

void GifWriter::KeepChangedLines(const QImage& frame, const Area& changed) {
    // A copy of its own: holding the caller's picture would make the caller's next drawing
    // into it copy the whole picture into fresh memory first.
    if (previousFrame_.isNull()) {
        previousFrame_ = frame.copy();
        return;
    }
    const std::size_t lineBytes = static_cast<std::size_t>(size_.width()) * sizeof(QRgb);
    for (int y = changed.top; y <= changed.bottom; ++y) {
        std::memcpy(previousFrame_.scanLine(y), frame.constScanLine(y), lineBytes);
    }
}

bool GifWriter::AddFrame(const QImage& frame, int centiseconds) {
    if (!encoder_->gif || failed_ || frame.size() != size_) {
        failed_ = true;
        return false;
    }
    const int width = size_.width(), height = size_.height();
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    const bool first = previousFrame_.isNull();
    if (first) {
        previous_.assign(static_cast<std::size_t>(width) * height, 0);
    }
    // Only pixels whose colour changed can change their index: only they are mapped. The
    // rectangle written is the one whose indices changed; an unchanged frame still needs
    // one pixel.
    const Area mapped = first ? Area{0, 0, width - 1, height - 1} : ChangedPixels(rgb);
    Area written{width, height, -1, -1};
    for (int y = mapped.top; y <= mapped.bottom && mapped.left <= mapped.right; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* indices = &previous_[static_cast<std::size_t>(y) * width];
        for (int x = mapped.left; x <= mapped.right; ++x) {
            const std::uint8_t index = palette_.IndexOf(line[x]);
            if (first || index != indices[x]) {
                indices[x] = index;
                written.Take(x, y);
            }
        }
    }
    if (written.right < 0) {
        written = {0, 0, 0, 0};
    }
    KeepChangedLines(rgb, mapped);
    failed_ = !PutFrame(written, centiseconds);
    return !failed_;
}

bool GifWriter::PutFrame(const Area& area, int centiseconds) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = std::clamp(centiseconds, 0, static_cast<int>(kMostCentiseconds));
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t extensionLength = EGifGCBToExtension(&control, extension);
    GifFileType* gif = encoder_->gif;
    const int width = size_.width(), areaWidth = area.right - area.left + 1;
    bool written = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength),
                                    extension) == GIF_OK &&
                   EGifPutImageDesc(gif, area.left, area.top, areaWidth, area.bottom - area.top + 1,
                                    false, nullptr) == GIF_OK;
    for (int y = area.top; written && y <= area.bottom; ++y) {
        written = EGifPutLine(gif, &previous_[static_cast<std::size_t>(y) * width + area.left],
                              areaWidth) == GIF_OK;
    }
    return written;
}

std::optional<std::string> GifWriter::Finish() {
    if (!encoder_->gif) {
        return std::nullopt;
    }
    int code = 0;
    const bool closed = EGifCloseFile(encoder_->gif, &code) == GIF_OK;
    encoder_->gif = nullptr;
    if (failed_ || !closed) {
        return std::nullopt;
    }
    return std::move(bytes_);
}

}  // namespace lumera
