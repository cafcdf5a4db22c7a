#pragma once

#include <QLabel>

#include "app/qt/window_icons.h"

namespace lumera::app {

// A label showing one of the window's pictures, drawn at the screen's pixel ratio each time
// it is painted and against the label's own background, so it stays sharp on any screen and
// visible under any palette.
class PictureLabel : public QLabel {
    Q_OBJECT

public:
    PictureLabel(WindowPicture picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WindowPicture picture_;
};

}  // namespace lumera::app
