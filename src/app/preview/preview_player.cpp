#include "app/preview/preview_player.h"

#include <QTimer>

namespace lumera::app {

PreviewPlayer::PreviewPlayer(std::function<void()> show, QObject* parent)
    : QObject(parent), show_(std::move(show)), hold_(new QTimer(this)) {
    hold_->setSingleShot(true);
    connect(hold_, &QTimer::timeout, this, [this] {
        if (preview_) {
            Take(preview_->ResumeAfterHold());
        }
    });
}

void PreviewPlayer::setPreview(LedPreview* preview) {
    hold_->stop();
    preview_ = preview;
}

bool PreviewPlayer::Tick() {
    // A hold pauses the whole tick, as if the window were busy for its length.
    if (hold_->isActive()) {
        return false;
    }
    if (preview_) {
        Take(preview_->Tick());
    }
    return true;
}

void PreviewPlayer::CancelHold() {
    hold_->stop();
}

void PreviewPlayer::Take(const LedPreview::Step& step) {
    if (step.imageChanged) {
        show_();
    }
    if (step.holdMilliseconds > 0) {
        hold_->start(step.holdMilliseconds);
    }
}

}  // namespace lumera::app
