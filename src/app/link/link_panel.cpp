#include "app/link/link_panel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "app/link/display_views.h"
#include "app/link/link_status_mark.h"
#include "app/link/presence_poll.h"
#include "app/qt/picture_label.h"
#include "app/qt/window_style.h"
#include "app/qt/window_theme.h"

namespace lumera::app {
namespace {

// Between the percentage ("100%" at the widest) and the link picture with its mark.
constexpr QRect kBarPlace(46, 60, 50, 10);

template <typename Widget>
Widget* Place(Widget* widget, const QString& name, QRect place) {
    widget->setObjectName(name);
    widget->setGeometry(place);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const QString& name, QPoint at) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->move(at);
    return label;
}

}  // namespace

LinkPanel::LinkPanel(QWidget* parent, QWidget* window) : QGroupBox(parent) {
    setObjectName(QStringLiteral("GroupBox5"));
    link_ = Place(new PictureLabel(WindowPicture::Link, this), QStringLiteral("Image2"),
                  {100, 16, 48, 48});
    caption_ = PlaceLabel(this, QStringLiteral("Label5"), {8, 40});
    noLink_ = Place(new PictureLabel(WindowPicture::NoLink, this), QStringLiteral("Image3"),
                    {104, 32, 17, 17});
    progress_ = PlaceLabel(this, QStringLiteral("USBLabel"), {10, 56});
    // The whole window is painted with the percentage: a transfer holds its thread for
    // seconds, and whatever the desktop uncovers meanwhile needs painting too.
    progressShown_ = std::make_unique<ThrottledLabel>(
        progress_, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    KeepReadable(progress_, Qt::blue);
    progress_->setMinimumWidth(kStatusLabelWidth);
    bar_ = Place(new QProgressBar(this), QStringLiteral("SendProgress"), kBarPlace);
    bar_->setTextVisible(false);  // the percentage stands beside it
    bar_->hide();

    auto* notes = Place(new QGroupBox(this), QStringLiteral("GroupBox6"), {0, 72, 161, 177});
    const std::array<QPoint, 5> places{{{8, 24}, {24, 56}, {8, 80}, {24, 104}, {8, 128}}};
    for (std::size_t k = 0; k < places.size(); ++k) {
        notes_[k] = PlaceLabel(notes, QStringLiteral("Label%1").arg(6 + k), places[k]);
    }
    mark_ = new LinkStatusMark(this);
    displayViews_ = new DisplayViews(this, window);
    Retranslate();
}

void LinkPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QGroupBox::changeEvent(event);
}

void LinkPanel::Retranslate() {
    link_->setAccessibleName(tr("Link status"));
    noLink_->setAccessibleName(tr("The display cannot be reached"));
    noLink_->setToolTip(noLink_->accessibleName() + QLatin1Char('\n') + mark_->NoDisplayHelp());
    mark_->Retranslate();
    displayViews_->Retranslate();
}

void LinkPanel::ApplyTexts(const WindowTexts& texts) {
    const std::array<std::pair<QLabel*, std::string_view>, 6> labels{{
        {caption_, texts.Label5},
        {notes_[0], texts.Label6},
        {notes_[1], texts.Label7},
        {notes_[2], texts.Label8},
        {notes_[3], texts.Label9},
        {notes_[4], texts.Label10},
    }};
    for (const auto& [label, text] : labels) {
        label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        label->adjustSize();
    }
}

void LinkPanel::Refresh(const DeviceBinding& device) {
    mark_->Refresh(device);
}

void LinkPanel::Follow(const PresencePoll& poll) {
    connect(&poll, &PresencePoll::polled, this, [this, &poll](bool reachable) {
        noLink_->setVisible(!reachable);
        mark_->Refresh(poll.device());
    });
}

void LinkPanel::StartSend() {
    bar_->reset();
    bar_->show();
}

void LinkPanel::ShowProgress(const download::TransferProgress& progress) {
    // A maximum of 0 would turn the bar into a busy indicator.
    bar_->setMaximum(std::max<int>(static_cast<int>(progress.total), 1));
    bar_->setValue(static_cast<int>(progress.carried));
    // Painted now and then: a repaint per percent would cost more than the exchanges.
    progressShown_->Show(QString::fromStdString(progress.text));
}

void LinkPanel::EndSend() {
    bar_->hide();
    progressShown_->Show(QString());
}

std::array<QWidget*, 2> LinkPanel::progressParts() const {
    return {progress_, bar_};
}

}  // namespace lumera::app
