#include "app/display_window.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/led_canvas.h"
#include "app/preview_player.h"
#include "download/display_connection.h"
#include "download/image_capacity.h"
#include "download/image_decoder.h"
#include "download/image_feed.h"
#include "editing/file_bytes.h"

namespace lumera::app {
namespace {

constexpr int kTickMilliseconds = 50;

}  // namespace

DisplayWindow::DisplayWindow(const std::filesystem::path& emulatorDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window),
      memoryFile_(download::EmulatedDisplayMemory(emulatorDirectory)),
      canvas_(new LedCanvas(this)),
      status_(new QLabel(this)),
      timer_(new QTimer(this)),
      player_(new PreviewPlayer([this] { canvas_->FrameShown(); }, this)) {
    setObjectName(QStringLiteral("DisplayWindow"));
    setWindowTitle(QStringLiteral("Display"));
    canvas_->setObjectName(QStringLiteral("DisplayCanvas"));
    status_->setObjectName(QStringLiteral("DisplayStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(canvas_, 1);
    layout->addWidget(status_);
    timer_->setInterval(kTickMilliseconds);
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
        status_->setText(QStringLiteral("The emulated display holds nothing yet (") + file +
                         QStringLiteral(": ") + QString::fromStdString(memory.error) +
                         QStringLiteral(")."));
        return;
    }
    auto decoded = download::DecodeDownloadImage(*memory.bytes);
    if (const auto* fault = std::get_if<download::ImageFault>(&decoded)) {
        status_->setText(file + QStringLiteral(" is no image the display can play: offset ") +
                         QString::number(fault->offset) + QStringLiteral(": ") +
                         QString::fromStdString(fault->what) + QStringLiteral("."));
        return;
    }
    auto& image = std::get<download::DecodedImage>(decoded);
    status_->setText(
        QStringLiteral("%1 mode, %2 section(s), %3, as the display received them.")
            .arg(image.englishMode ? QStringLiteral("English") : QStringLiteral("Chinese"))
            .arg(image.records.size())
            .arg(QString::fromStdString(download::FillText(image.size))));
    preview_ =
        std::make_unique<LedPreview>(std::make_unique<download::ImageFeed>(std::move(image)));
    preview_->Start();
    canvas_->setPreview(preview_.get());
    player_->setPreview(preview_.get());
    timer_->start();
}

void DisplayWindow::hideEvent(QHideEvent*) {
    timer_->stop();
    player_->CancelHold();
}

}  // namespace lumera::app
