// The floor of exporting an animation: giflib alone encoding frames that are already
// indexed and cut to their rectangles.
//   floor_gif --frames-of IN.gif FRAMES   keeps what IN.gif holds as raw frames (made once)
//   floor_gif FRAMES OUT.gif              encodes them again (the part measured)
// FRAMES: width, height, the 256 palette colours, then per frame its delay, left, top,
// width, height and indices; every number 16 bits.
#include <gif_lib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr int kColors = 256;

class Frames {
public:
    explicit Frames(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool more() const { return at_ < bytes_.size(); }
    bool ok() const { return ok_; }
    int number() {
        if (at_ + 2 > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        const int value = bytes_[at_] | bytes_[at_ + 1] << 8;
        at_ += 2;
        return value;
    }
    const std::uint8_t* take(std::size_t count) {
        if (at_ + count > bytes_.size()) {
            ok_ = false;
            return nullptr;
        }
        at_ += count;
        return &bytes_[at_ - count];
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

void PutNumber(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

int KeepFrames(const char* gifPath, const char* framesPath) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(gifPath, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK || !gif->SColorMap) {
        return 1;
    }
    std::vector<std::uint8_t> out;
    PutNumber(out, gif->SWidth);
    PutNumber(out, gif->SHeight);
    for (int i = 0; i < kColors; ++i) {
        const GifColorType color =
            i < gif->SColorMap->ColorCount ? gif->SColorMap->Colors[i] : GifColorType{0, 0, 0};
        out.insert(out.end(), {color.Red, color.Green, color.Blue});
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const GifImageDesc& place = gif->SavedImages[i].ImageDesc;
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        for (const int value :
             {control.DelayTime, place.Left, place.Top, place.Width, place.Height}) {
            PutNumber(out, value);
        }
        const auto* raster = gif->SavedImages[i].RasterBits;
        out.insert(out.end(), raster, raster + place.Width * place.Height);
    }
    DGifCloseFile(gif, &error);
    std::ofstream(framesPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return 0;
}

int EncodeFrames(const char* framesPath, const char* gifPath) {
    std::ifstream in(framesPath, std::ios::binary);
    Frames frames(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
    const int width = frames.number(), height = frames.number();
    std::vector<GifColorType> colors(kColors);
    for (GifColorType& color : colors) {
        const std::uint8_t* rgb = frames.take(3);
        if (rgb) {
            color = {rgb[0], rgb[1], rgb[2]};
        }
    }
    int error = 0;
    GifFileType* gif = EGifOpenFileName(gifPath, false, &error);
    ColorMapObject* map = GifMakeMapObject(kColors, colors.data());
    EGifSetGifVersion(gif, true);
    bool written =
        gif && map && frames.ok() && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    static const GifByteType kNetscape[] = "NETSCAPE2.0";
    const GifByteType loop[] = {1, 0, 0};
    written = written && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
              EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
              EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK &&
              EGifPutExtensionTrailer(gif) == GIF_OK;
    while (written && frames.more()) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = frames.number();
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        const int left = frames.number(), top = frames.number();
        const int w = frames.number(), h = frames.number();
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        written = frames.ok() &&
                  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                                   extension) == GIF_OK &&
                  EGifPutImageDesc(gif, left, top, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; written && y < h; ++y) {
            const std::uint8_t* line = frames.take(static_cast<std::size_t>(w));
            written = line && EGifPutLine(gif, const_cast<GifByteType*>(line), w) == GIF_OK;
        }
    }
    const bool closed = gif && EGifCloseFile(gif, &error) == GIF_OK;
    return written && closed ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--frames-of") == 0) {
        return KeepFrames(argv[2], argv[3]);
    }
    if (argc == 3) {
        return EncodeFrames(argv[1], argv[2]);
    }
    std::fprintf(stderr, "usage: floor_gif [--frames-of IN.gif] FRAMES OUT.gif\n");
    return 2;
}
