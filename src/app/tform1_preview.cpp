// Start, Stop and Color of the LED simulation, and showing its frames.
#include <QLabel>
#include <QTimer>

#include "app/preview_views.h"
#include "app/tform1.h"

namespace lumera::app {

bool TForm1::PreviewRunning() const {
    return preview_->Engine().PreviewRunning();
}

void TForm1::BtnStartClick() {
    holdTimer_->stop();
    preview_->Start();
}

void TForm1::BtnStopClick() {
    holdTimer_->stop();
    preview_->Stop();
    ShowLedImage();
}

void TForm1::BtnColorClick() {
    preview_->NextColor();
}

void TForm1::ShowPreviewStep(const LedPreview::Step& step) {
    if (step.imageChanged) {
        ShowLedImage();
    }
    if (step.holdMilliseconds > 0) {
        holdTimer_->start(step.holdMilliseconds);
    }
}

void TForm1::ShowLedImage() {
    previewViews_->Show();
    ImageLed->repaint();
}

}  // namespace lumera::app
