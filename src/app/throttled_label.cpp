#include "app/throttled_label.h"

#include <QLabel>

namespace lumera::app {
namespace {

constexpr qint64 kRepaintMilliseconds = 30;

}  // namespace

void ThrottledLabel::Show(const QString& text) {
    if (text == label_->text()) {
        return;
    }
    // setText schedules a paint for the next turn of the event loop.
    label_->setText(text);
    label_->adjustSize();
    if (!sinceRepaint_.isValid() || sinceRepaint_.hasExpired(kRepaintMilliseconds)) {
        label_->repaint();
        sinceRepaint_.start();
    }
}

}  // namespace lumera::app
