#include "app/qt/window_theme.h"

#include <QEvent>
#include <QLabel>

#include "app/qt/window_contrast.h"

namespace lumera::app {
namespace {

class ReadableText : public QObject {
public:
    ReadableText(QLabel* label, const QColor& preferred)
        : QObject(label), label_(label), preferred_(preferred) {
        label->installEventFilter(this);
        Apply();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange ||
            event->type() == QEvent::ApplicationPaletteChange) {
            Apply();
        }
        return false;
    }

private:
    void Apply() {
        QPalette palette = label_->palette();
        const QColor colour =
            ReadableColour(preferred_, palette.color(label_->backgroundRole()), kTextContrast);
        // Setting the same colour again raises no palette change, so this settles at once.
        if (palette.color(label_->foregroundRole()) != colour) {
            palette.setColor(label_->foregroundRole(), colour);
            label_->setPalette(palette);
        }
    }

    QLabel* label_;
    QColor preferred_;
};

}  // namespace

void KeepReadable(QLabel* label, const QColor& preferred) {
    new ReadableText(label, preferred);
}

}  // namespace lumera::app
