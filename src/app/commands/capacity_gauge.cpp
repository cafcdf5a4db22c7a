#include "app/commands/capacity_gauge.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "download/image_decoder.h"

namespace lumera::app {
namespace {

constexpr int kBarHeight = 6;
constexpr int kTextPixelSize = 10;

QString Grouped(std::size_t count) {
    return QString::fromStdString(download::GroupedCount(count));
}

}  // namespace

CapacityGauge::CapacityGauge(QWidget* parent)
    : QWidget(parent), bar_(new QProgressBar(this)), label_(new QLabel(this)) {
    setObjectName(QStringLiteral("CapacityGauge"));
    bar_->setRange(0, static_cast<int>(download::kDisplayCapacity));
    bar_->setTextVisible(false);
    bar_->setFixedHeight(kBarHeight);
    QFont small = font();
    small.setPixelSize(kTextPixelSize);
    label_->setFont(small);
    label_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(bar_);
    layout->addWidget(label_);
}

QString CapacityGauge::text() const {
    return label_->text();
}

void CapacityGauge::Show(const MessageTable& table) {
    measure_ = download::MeasureDownloadImage(table);

    const bool fits = measure_.fit == download::ImageFit::Fits ||
                      measure_.fit == download::ImageFit::NothingToSend;
    bar_->setValue(static_cast<int>(std::min(measure_.size, download::kDisplayCapacity)));
    label_->setStyleSheet(fits ? QString() : QStringLiteral("color: #c00000; font-weight: bold;"));
    bar_->setStyleSheet(fits ? QString()
                             : QStringLiteral("QProgressBar::chunk { background: #c00000; }"));
    Describe();
}

void CapacityGauge::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Describe();
    }
    QWidget::changeEvent(event);
}

void CapacityGauge::Describe() {
    label_->setText(
        tr("%1 / %2 bytes").arg(Grouped(measure_.size), Grouped(download::kDisplayCapacity)));
    QString why;
    if (measure_.fit == download::ImageFit::TooLarge) {
        why = tr("The table does not fit the display: %1 bytes, at most %2.")
                  .arg(Grouped(measure_.size), Grouped(download::kDisplayCapacity));
    } else if (measure_.fit == download::ImageFit::SectionTooWide) {
        why = tr("A section is too wide to send.");
    } else {
        why = tr("The download image of the table, against the display's memory.");
    }
    setToolTip(why);
    setAccessibleName(label_->text());
    setAccessibleDescription(why);
}

}  // namespace lumera::app
