#include "app/link/link_status_mark.h"

#include "download/display_connection.h"

namespace lumera::app {

namespace {

// Under the link picture (100, 16, 48 x 48), above the note box that starts at 72.
constexpr QRect kMarkGeometry{107, 57, 34, 14};

}  // namespace

LinkStatusMark::LinkStatusMark(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("LinkStatusMark"));
    setGeometry(kMarkGeometry);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral(
        "color: white; background: #c05000; border-radius: 3px; font-weight: bold;"));
    raise();
}

void LinkStatusMark::Retranslate() {
    //: The mark beside the link picture while the emulated display stands in for the
    //: display; a few letters at most.
    setText(tr("EMU"));
    Describe();
}

QString LinkStatusMark::NoDisplayHelp() {
    return tr(
        "No display found: plug it in; without root, install the udev rule "
        "70-lumera-display.rules; 'lumera-cli devices' shows what is connected.");
}

void LinkStatusMark::Refresh(const DeviceBinding& device) {
    folder_ = download::EmulatedDisplayFolder();
    setVisible(device.IsBound() && folder_.has_value());
    Describe();
}

void LinkStatusMark::Describe() {
    setToolTip(folder_ ? tr("Emulated display: %1").arg(QString::fromStdString(*folder_))
                       : QString());
}

}  // namespace lumera::app
