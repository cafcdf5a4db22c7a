#pragma once

#include <QColor>
#include <QImage>
#include <memory>

#include "outside/glyph_support.h"
#include "outside/led_face.h"
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
// Image() is drawn at the preview's size (160 x 187 unless given); ImageAt() draws what it
// shows at any other size.
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
        bool sectionEnded = false;  // the grey pause after a section's closing
    };

    // Both must outlive the preview. The image starts grey.
    LedPreview(const MessageTable& table, GlyphTableFiles tables, QSize size = {kWidth, kHeight})
        : engine_(table, std::move(tables)), image_(size, QImage::Format_RGB32) {
        image_.fill(kStoppedGrey);
    }
    // Plays another feed, such as a download image.
    explicit LedPreview(std::unique_ptr<SectionFeed> feed, QSize size = {kWidth, kHeight})
        : engine_(std::move(feed)), image_(size, QImage::Format_RGB32) {
        image_.fill(kStoppedGrey);
    }

    const QImage& Image() const { return image_; }
    // What Image() shows, drawn afresh at `size`.
    QImage ImageAt(QSize size, LedFaceStyle style = LedFaceStyle::Preview) const {
        QImage image(size, QImage::Format_RGB32);
        if (shown_.grey) {
            image.fill(kStoppedGrey);
        } else {
            DrawLedFace(image, size, shown_.dots, shown_.englishMode, shown_.ledColor,
                        shown_.textAngle, style);
        }
        return image;
    }
    const PreviewEngine& Engine() const { return engine_; }
    std::optional<int> PlayingSection() const { return engine_.PlayingSection(); }

    // BtnStartClick: true when a showable section was found; the image is unchanged.
    bool Start() { return engine_.Start(); }
    // BtnStopClick.
    void Stop() {
        engine_.Stop();
        Grey();
    }
    // BtnColorClick: the next frame shows the new colour; nothing is redrawn now.
    void NextColor() { engine_.NextColor(); }

    Step Tick() { return Show(engine_.Timer1Timer()); }
    Step ResumeAfterHold() { return Show(engine_.ResumeAfterHold()); }

    // `ticks` timer ticks with every hold waited out at once, drawing only the picture the
    // last of them leaves: the image Tick() and ResumeAfterHold() would leave, at the cost
    // of one drawing.
    void Advance(int ticks) {
        PreviewShow last = PreviewShow::Unchanged;
        for (int tick = 0; tick < ticks; ++tick) {
            PreviewOutcome outcome = engine_.Timer1Timer();
            for (;;) {
                if (outcome.show != PreviewShow::Unchanged) {
                    last = outcome.show;
                }
                if (outcome.holdMilliseconds == 0) {
                    break;
                }
                outcome = engine_.ResumeAfterHold();
            }
        }
        Show({last, 0});
    }

private:
    static constexpr QRgb kStoppedGrey = qRgb(128, 128, 128);

    // What the image shows, so that it can be drawn again at another size.
    struct ShownFrame {
        bool grey = true;
        DotRows dots{};
        bool englishMode = true;
        std::uint8_t ledColor = 0;
        std::int32_t textAngle = 0;
    };

    Step Show(const PreviewOutcome& outcome) {
        switch (outcome.show) {
            case PreviewShow::Frame:
                shown_ = {false, engine_.Dots(), engine_.EnglishMode(),
                          static_cast<std::uint8_t>(engine_.LedColor()), engine_.TextAngle()};
                drawer_.Draw(image_, image_.size(), shown_.dots, shown_.englishMode,
                             shown_.ledColor, shown_.textAngle);
                return {true, outcome.holdMilliseconds};
            case PreviewShow::Grey:
                Grey();
                return {true, outcome.holdMilliseconds, true};
            case PreviewShow::Unchanged:
                break;
        }
        return {false, outcome.holdMilliseconds};
    }

    void Grey() {
        shown_.grey = true;
        image_.fill(kStoppedGrey);
    }

    PreviewEngine engine_;
    QImage image_;
    LedFaceDrawer drawer_;
    ShownFrame shown_;
};

}  // namespace lumera
