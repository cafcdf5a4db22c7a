#pragma once

#include <QObject>
#include <functional>

#include "render/led_preview.h"

class QTimer;

namespace lumera::app {

// Plays a preview from a timer's ticks: a tick does nothing while the preview holds a frame,
// and the hold's end resumes it, so frames come out in order and at their times while the
// window stays responsive. One player serves each view that plays (the window's preview and
// the emulated display's face).
class PreviewPlayer : public QObject {
    Q_OBJECT

public:
    // `show` is called whenever the preview's image changed.
    PreviewPlayer(std::function<void()> show, QObject* parent);

    // Null: nothing plays. The preview must outlive the player or be replaced first.
    void setPreview(LedPreview* preview);
    // One timer tick; false when a hold swallowed it.
    bool Tick();
    // Ends a pending hold without resuming (Start, Stop).
    void CancelHold();

private:
    void Take(const LedPreview::Step& step);

    std::function<void()> show_;
    LedPreview* preview_ = nullptr;
    QTimer* hold_;
};

}  // namespace lumera::app
