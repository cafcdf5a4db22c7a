#include "app/qt/picture_label.h"

#include <QPainter>

namespace lumera::app {

PictureLabel::PictureLabel(WindowPicture picture, QWidget* parent)
    : QLabel(parent), picture_(picture) {}

void PictureLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawWindowPicture(painter, picture_, rect(), palette().color(backgroundRole()));
}

}  // namespace lumera::app
