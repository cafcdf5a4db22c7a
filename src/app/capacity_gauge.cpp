#include "app/capacity_gauge.h"

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
    label_->setText(QString::fromStdString(download::FillText(measure_.size)));
    bar_->setValue(static_cast<int>(std::min(measure_.size, download::kDisplayCapacity)));
    QString why;
    if (measure_.fit == download::ImageFit::TooLarge) {
        why = QStringLiteral("The table does not fit the display: ") + Grouped(measure_.size) +
              QStringLiteral(" bytes, at most ") + Grouped(download::kDisplayCapacity) +
              QStringLiteral(".");
    } else if (measure_.fit == download::ImageFit::SectionTooWide) {
        why = QStringLiteral("A section is too wide to send.");
    } else {
        why = QStringLiteral("The download image of the table, against the display's memory.");
    }
    label_->setStyleSheet(fits ? QString() : QStringLiteral("color: #c00000; font-weight: bold;"));
    bar_->setStyleSheet(fits ? QString()
                             : QStringLiteral("QProgressBar::chunk { background: #c00000; }"));
    setToolTip(why);
    setAccessibleName(label_->text());
    setAccessibleDescription(why);
}

}  // namespace lumera::app
