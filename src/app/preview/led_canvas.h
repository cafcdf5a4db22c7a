#pragma once

#include <QImage>
#include <QWidget>

#include "render/led_preview.h"

namespace lumera::app {

// Shows what a preview shows, drawn afresh at the widget's own size and the screen's pixel
// ratio, so the LEDs stay sharp at any size, round, and glyphs keep their proportions.
class LedCanvas : public QWidget {
    Q_OBJECT

public:
    explicit LedCanvas(QWidget* parent = nullptr);

    // The preview to show (null: nothing, grey); it must outlive the canvas or be replaced.
    void setPreview(const LedPreview* preview);
    // Draws the preview's current picture again.
    void FrameShown();
    // What the canvas shows, in device pixels.
    const QImage& picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const LedPreview* preview_ = nullptr;
    QImage picture_;
};

// The small picture as the window shows it, `logical` large: the preview's own image where
// that is its size and a pixel is a pixel, else drawn afresh for that size at the screen's
// pixel ratio.
QPixmap LedPixmap(const LedPreview& preview, qreal devicePixelRatio,
                  QSize logical = {LedPreview::kWidth, LedPreview::kHeight});

}  // namespace lumera::app
