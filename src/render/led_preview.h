#pragma once

#include <QColor>
#include <QImage>

#include "outside/glyph_support.h"
#include "render/preview_engine.h"

namespace lumera {

// The preview as ImageLed shows it: the preview engine plus the 160 x 187 LED image, so
// the window and the terminal draw with the same code. Use from one thread:
//
//   Timer1 every 50 ms    Tick()
//   BtnStart / BtnStop    Start() / Stop()  (Stop greys the image at once, also during a hold)
//   BtnColor              NextColor()
//
// Tick() and ResumeAfterHold() return whether Image() changed (repaint it) and, when
// holdMilliseconds is above 0, a pause: start one single-shot hold timer with it (start
// restarts it) and call ResumeAfterHold() when it fires. A stale resume is harmless.
//
// Defined in this header, so a program that uses it links lumera_render and
// lumera_glyph_display itself and static link order cannot matter.
class LedPreview {
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 187;

    struct Step {
        bool imageChanged = false;
        int holdMilliseconds = 0;
    };

    // Both must outlive the preview. The image starts grey.
    LedPreview(const MessageTable& table, GlyphTableFiles tables)
        : engine_(table, std::move(tables)), image_(kWidth, kHeight, QImage::Format_RGB32) {
        image_.fill(kStoppedGrey);
    }

    const QImage& Image() const { return image_; }
    const PreviewEngine& Engine() const { return engine_; }

    // BtnStartClick: true when a showable section was found; the image is unchanged.
    bool Start() { return engine_.BtnStartClick(); }
    // BtnStopClick.
    void Stop() {
        engine_.BtnStopClick();
        image_.fill(kStoppedGrey);
    }
    // BtnColorClick: the next frame shows the new colour; nothing is redrawn now.
    void NextColor() { engine_.BtnColorClick(); }

    Step Tick() { return Show(engine_.Timer1Timer()); }
    Step ResumeAfterHold() { return Show(engine_.ResumeAfterHold()); }

private:
    static constexpr QRgb kStoppedGrey = qRgb(128, 128, 128);

    Step Show(const PreviewOutcome& outcome) {
        switch (outcome.show) {
            case PreviewShow::Frame:
                _Display(image_, engine_.Dots(), engine_.EnglishMode(),
                         static_cast<std::uint8_t>(engine_.LedColor()), engine_.TextAngle());
                return {true, outcome.holdMilliseconds};
            case PreviewShow::Grey:
                image_.fill(kStoppedGrey);
                return {true, outcome.holdMilliseconds};
            case PreviewShow::Unchanged:
                break;
        }
        return {false, outcome.holdMilliseconds};
    }

    PreviewEngine engine_;
    QImage image_;
};

}  // namespace lumera
