#include "app/preview/preview_views.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "animation/preview_animation.h"
#include "app/preview/led_canvas.h"

namespace lumera::app {
namespace {

constexpr char kGifExtension[] = ".gif";

}  // namespace

PreviewViews::PreviewViews(QLabel* imageLed, const LedPreview& preview, const MessageTable& table,
                           Prompter& prompter, std::filesystem::path programDirectory,
                           QWidget* window)
    : QObject(window),
      imageLed_(imageLed),
      preview_(preview),
      table_(table),
      prompter_(prompter),
      programDirectory_(std::move(programDirectory)),
      window_(window) {
    imageLed_->installEventFilter(this);
    // Tab and a click reach the picture, so the large preview and the export need no mouse.
    imageLed_->setFocusPolicy(Qt::StrongFocus);
    imageLed_->setContextMenuPolicy(Qt::ActionsContextMenu);
    largeAction_ = new QAction(imageLed_);
    largeAction_->setObjectName(QStringLiteral("LargePreviewAction"));
    connect(largeAction_, &QAction::triggered, this, &PreviewViews::OpenLargePreview);
    exportAction_ = new QAction(imageLed_);
    exportAction_->setObjectName(QStringLiteral("ExportAnimationAction"));
    connect(exportAction_, &QAction::triggered, this, &PreviewViews::ExportAnimation);
    imageLed_->addActions({largeAction_, exportAction_});
    Retranslate();
}

void PreviewViews::Retranslate() {
    imageLed_->setToolTip(tr("Double-click, or press Enter, for a large preview"));
    largeAction_->setText(tr("Large preview…"));
    exportAction_->setText(tr("Export animation…"));
    if (large_) {
        large_->setWindowTitle(tr("LED preview"));
    }
}

bool PreviewViews::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imageLed_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            OpenLargePreview();
            return true;
        case QEvent::KeyPress:
            return PressKey(*static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            ShowFocus(event->type() == QEvent::FocusIn);
            return false;
        default:
            return false;
    }
}

bool PreviewViews::PressKey(const QKeyEvent& press) {
    const Qt::KeyboardModifiers modifiers = press.modifiers() & ~Qt::KeypadModifier;
    if ((press.key() == Qt::Key_Return || press.key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        OpenLargePreview();
        return true;
    }
    // The menu key comes as a menu request of its own; Shift+F10 is the other way to it.
    if (press.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        const QPoint middle = imageLed_->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, middle,
                                  imageLed_->mapToGlobal(middle));
        QCoreApplication::sendEvent(imageLed_, &request);
        return true;
    }
    return false;
}

// The picture's panel sinks while the picture has the focus.
void PreviewViews::ShowFocus(bool focused) {
    if (auto* panel = qobject_cast<QFrame*>(imageLed_->parentWidget())) {
        panel->setFrameShadow(focused ? QFrame::Sunken : QFrame::Raised);
    }
}

void PreviewViews::Show() {
    imageLed_->setPixmap(LedPixmap(preview_, imageLed_->devicePixelRatioF(), imageLed_->size()));
    if (canvas_ && large_->isVisible()) {
        canvas_->FrameShown();
    }
}

void PreviewViews::OpenLargePreview() {
    if (!large_) {
        large_ = new QWidget(window_, Qt::Window);
        large_->setObjectName(QStringLiteral("LargePreview"));
        large_->setWindowTitle(tr("LED preview"));
        canvas_ = new LedCanvas(large_);
        canvas_->setObjectName(QStringLiteral("LargePreviewCanvas"));
        auto* layout = new QVBoxLayout(large_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(canvas_);
        canvas_->setPreview(&preview_);
        large_->setContextMenuPolicy(Qt::ActionsContextMenu);
        large_->addAction(exportAction_);
    }
    large_->show();
    large_->raise();
    large_->activateWindow();
    canvas_->FrameShown();
}

void PreviewViews::ExportAnimation() {
    std::filesystem::path proposed(tableFile_);
    if (!proposed.empty()) {
        proposed.replace_extension(kGifExtension);
    }
    std::optional<std::string> path = prompter_.SaveFileName(
        //: The file dialog's filter: keep "*.gif(", ")|*.gif" and translate the name only.
        tr("*.gif(GIF Animations)|*.gif").toStdString(), proposed.string());
    if (!path || path->empty()) {
        return;
    }
    if (std::filesystem::path(*path).extension() != kGifExtension) {
        *path += kGifExtension;
    }
    LedPreview recording(table_, GlyphTableFiles{programDirectory_, prompter_});
    for (int color = 0; color < preview_.Engine().LedColor(); ++color) {
        recording.NextColor();
    }
    if (!recording.Start()) {
        prompter_.Message(tr("There is nothing to animate: no section in use has a text with "
                             "something other than blanks.")
                              .toStdString());
        return;
    }
    if (const auto failure = WriteAnimation(recording, *path)) {
        prompter_.Message(tr("The animation was not written: %1")
                              .arg(QString::fromStdString(*failure))
                              .toStdString());
        return;
    }
    emit exported(QString::fromStdString(*path));
}

}  // namespace lumera::app
