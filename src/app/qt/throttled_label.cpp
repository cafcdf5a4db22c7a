#include "app/qt/throttled_label.h"

#include <QLabel>
#include <QTimer>

namespace lumera::app {
namespace {

constexpr qint64 kRepaintMilliseconds = 30;

}  // namespace

void ThrottledLabel::Show(const QString& text) {
    if (text == label_->text()) {
        return;
    }
    // setText only schedules a paint for the next turn of the event loop; fitting the label
    // to its text lays the text out, so that waits for a repaint too.
    label_->setText(text);
    if (!sinceRepaint_.isValid() || sinceRepaint_.hasExpired(kRepaintMilliseconds)) {
        label_->adjustSize();
        label_->repaint();
        sinceRepaint_.start();
        fitHeld_ = false;
    } else if (!fitHeld_) {
        fitHeld_ = true;
        QTimer::singleShot(0, label_, [label = label_] { label->adjustSize(); });
    }
}

}  // namespace lumera::app
