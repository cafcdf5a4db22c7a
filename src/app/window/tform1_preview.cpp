// Start, Stop and Color of the LED simulation, and showing its frames.
#include <QLabel>

#include "app/preview/preview_player.h"
#include "app/preview/preview_views.h"
#include "app/sections/section_table.h"
#include "app/window/tform1.h"
#include "render/preview_cycle.h"

namespace lumera::app {

bool TForm1::PreviewRunning() const {
    return preview_->Engine().PreviewRunning();
}

void TForm1::BtnStartClick() {
    player_->CancelHold();
    preview_->Start();
    ShowPlayingSection();
}

void TForm1::BtnStopClick() {
    player_->CancelHold();
    preview_->Stop();
    ShowLedImage();
    ShowPlayingSection();
}

void TForm1::BtnColorClick() {
    preview_->NextColor();
}

void TForm1::ShowLedImage() {
    previewViews_->Show();
    ImageLed->repaint();
}

void TForm1::MeasureCycle() {
    SilentPrompter silent;
    commands_->ShowCycle(PreviewCycleMilliseconds(document_->table(),
                                                  GlyphTableFiles{files_.dataDirectory, silent}));
}

void TForm1::ShowPlayingSection() {
    sections_->MarkPlaying(preview_->PlayingSection());
}

}  // namespace lumera::app
