#include "app/qt/throttled_label.h"

#include <QLabel>
#include <QTimer>
#include <utility>

namespace lumera::app {
namespace {

constexpr qint64 kRepaintMilliseconds = 30;

}  // namespace

ThrottledLabel::ThrottledLabel(QLabel* label, std::function<void()> paint)
    : label_(label), paint_(std::move(paint)) {
    if (!paint_) {
        paint_ = [label] { label->repaint(); };
    }
}

void ThrottledLabel::Show(const QString& text) {
    if (text == label_->text()) {
        return;
    }
    // setText only schedules a paint for the next turn of the event loop; fitting the label
    // to its text lays the text out, so that waits for a repaint too.
    label_->setText(text);
    if (!sinceRepaint_.isValid() || sinceRepaint_.hasExpired(kRepaintMilliseconds)) {
        label_->adjustSize();
        paint_();
        sinceRepaint_.start();
        fitHeld_ = false;
    } else if (!fitHeld_) {
        fitHeld_ = true;
        QTimer::singleShot(0, label_, [label = label_] { label->adjustSize(); });
    }
}

}  // namespace lumera::app
