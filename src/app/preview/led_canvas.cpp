#include "app/preview/led_canvas.h"

#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace lumera::app {
namespace {

constexpr QRgb kStoppedGrey = qRgb(128, 128, 128);

QSize DeviceSize(QSize logical, qreal ratio) {
    return {static_cast<int>(std::lround(logical.width() * ratio)),
            static_cast<int>(std::lround(logical.height() * ratio))};
}

}  // namespace

LedCanvas::LedCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(LedPreview::kWidth, LedPreview::kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize LedCanvas::sizeHint() const {
    return QSize(LedPreview::kWidth, LedPreview::kHeight) * 3;
}

void LedCanvas::setPreview(const LedPreview* preview) {
    preview_ = preview;
    FrameShown();
}

void LedCanvas::FrameShown() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = DeviceSize(size(), ratio);
    if (preview_) {
        picture_ = preview_->ImageAt(pixels, LedFaceStyle::TrueToScale);
    } else {
        picture_ = QImage(pixels, QImage::Format_RGB32);
        picture_.fill(kStoppedGrey);
    }
    picture_.setDevicePixelRatio(ratio);
    update();
}

void LedCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), picture_);
}

void LedCanvas::resizeEvent(QResizeEvent*) {
    FrameShown();
}

QPixmap LedPixmap(const LedPreview& preview, qreal devicePixelRatio, QSize logical) {
    if (devicePixelRatio == 1.0 && logical == preview.Image().size()) {
        return QPixmap::fromImage(preview.Image());
    }
    QImage image = preview.ImageAt(DeviceSize(logical, devicePixelRatio));
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

}  // namespace lumera::app
