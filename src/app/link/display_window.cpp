#include "app/link/display_window.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/preview/led_canvas.h"
#include "app/preview/preview_player.h"
#include "download/display_connection.h"
#include "download/image_capacity.h"
#include "download/image_decoder.h"
#include "download/image_feed.h"
#include "editing/file_bytes.h"
#include "render/preview_engine.h"

namespace lumera::app {

DisplayWindow::DisplayWindow(const std::filesystem::path& emulatorDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window),
      memoryFile_(download::EmulatedDisplayMemory(emulatorDirectory)),
      canvas_(new LedCanvas(this)),
      status_(new QLabel(this)),
      timer_(new QTimer(this)),
      player_(new PreviewPlayer([this] { canvas_->FrameShown(); }, this)) {
    setObjectName(QStringLiteral("DisplayWindow"));
    setWindowTitle(tr("Display"));
    canvas_->setObjectName(QStringLiteral("DisplayCanvas"));
    status_->setObjectName(QStringLiteral("DisplayStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(canvas_, 1);
    layout->addWidget(status_);
    timer_->setInterval(kPreviewTickMilliseconds);
    connect(timer_, &QTimer::timeout, player_, &PreviewPlayer::Tick);
}

DisplayWindow::~DisplayWindow() {
    canvas_->setPreview(nullptr);
}

QString DisplayWindow::status() const {
    return status_->text();
}

void DisplayWindow::Restart() {
    timer_->stop();
    player_->setPreview(nullptr);
    canvas_->setPreview(nullptr);
    preview_.reset();
    const QString file = QString::fromStdString(memoryFile_.string());
    const FileBytes memory = ReadFileBytes(memoryFile_);
    if (!memory.bytes) {
        ShowStatus([file, error = QString::fromStdString(memory.error)] {
            return tr("The emulated display holds nothing yet (%1: %2).").arg(file, error);
        });
        return;
    }
    auto decoded = download::DecodeDownloadImage(*memory.bytes);
    if (const auto* fault = std::get_if<download::ImageFault>(&decoded)) {
        ShowStatus([file, offset = fault->offset, what = QString::fromStdString(fault->what)] {
            return tr("%1 is no image the display can play: offset %2: %3.")
                .arg(file)
                .arg(offset)
                .arg(what);
        });
        return;
    }
    auto& image = std::get<download::DecodedImage>(decoded);
    ShowStatus([english = image.englishMode, sections = image.records.size(), size = image.size] {
        const QString fill =
            tr("%1 / %2 bytes")
                .arg(QString::fromStdString(download::GroupedCount(size)),
                     QString::fromStdString(download::GroupedCount(download::kDisplayCapacity)));
        return (english ? tr("English mode, %1 section(s), %2, as the display received them.")
                        : tr("Chinese mode, %1 section(s), %2, as the display received them."))
            .arg(sections)
            .arg(fill);
    });
    preview_ =
        std::make_unique<LedPreview>(std::make_unique<download::ImageFeed>(std::move(image)));
    preview_->Start();
    canvas_->setPreview(preview_.get());
    player_->setPreview(preview_.get());
    timer_->start();
}

void DisplayWindow::ShowStatus(std::function<QString()> describe) {
    describe_ = std::move(describe);
    status_->setText(describe_());
}

void DisplayWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Display"));
        if (describe_) {
            status_->setText(describe_());
        }
    }
    QWidget::changeEvent(event);
}

void DisplayWindow::hideEvent(QHideEvent*) {
    timer_->stop();
    player_->CancelHold();
}

}  // namespace lumera::app
