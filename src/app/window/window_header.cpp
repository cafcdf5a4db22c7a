#include "app/window/window_header.h"

#include <QLabel>
#include <QTimer>

#include "app/qt/picture_label.h"
#include "app/qt/window_style.h"
#include "app/qt/window_theme.h"
#include "editing/language_texts.h"

namespace lumera::app {
namespace {

constexpr int kStatusMilliseconds = 4000;
// Right of the title, which ends well before x 360 in every face.
constexpr QRect kStatusPlace(360, 18, 377, 34);

}  // namespace

WindowHeader::WindowHeader(QWidget* parent)
    : QGroupBox(parent), status_(new QLabel(this)), clear_(new QTimer(this)) {
    setObjectName(QStringLiteral("GroupBox1"));
    auto* title = new QLabel(this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setGeometry(144, 16, 528, 37);
    title->setText(QString::fromUtf8(kLabel1Caption.data(), kLabel1Caption.size()));
    QFont titleFont = title->font();
    titleFont.setPixelSize(kTitlePixelSize);
    title->setFont(titleFont);
    KeepReadable(title, Qt::blue);
    auto* picture = new PictureLabel(WindowPicture::Application, this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(0, 8, 49, 49);
    picture->setAccessibleName(QStringLiteral("Lumera"));

    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setGeometry(kStatusPlace);
    status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    status_->setWordWrap(true);
    status_->raise();
    clear_->setSingleShot(true);
    clear_->setInterval(kStatusMilliseconds);
    connect(clear_, &QTimer::timeout, status_, &QLabel::clear);
}

void WindowHeader::ShowStatus(const QString& text) {
    status_->setText(text);
    status_->setAccessibleName(text);
    clear_->start();
}

QString WindowHeader::status() const {
    return status_->text();
}

}  // namespace lumera::app
