#include "app/link_status_mark.h"

#include "download/display_connection.h"

namespace lumera::app {

namespace {

// Right of the link icon (104, 32, 17 x 17), within the status box's 161 pixels.
constexpr QRect kMarkGeometry{124, 33, 34, 15};

}  // namespace

LinkStatusMark::LinkStatusMark(QWidget* parent, QLabel* linkIcon) : QLabel(parent) {
    setObjectName(QStringLiteral("LinkStatusMark"));
    setGeometry(kMarkGeometry);
    setAlignment(Qt::AlignCenter);
    setText(QStringLiteral("EMU"));
    setStyleSheet(QStringLiteral(
        "color: white; background: #c05000; border-radius: 3px; font-weight: bold;"));
    linkIcon->setToolTip(linkIcon->toolTip() + QLatin1Char('\n') +
                         QString::fromUtf8(download::kNoDisplayHelpText));
    raise();
}

void LinkStatusMark::Refresh(const DeviceBinding& device) {
    const auto folder = download::EmulatedDisplayFolder();
    setVisible(device.IsBound() && folder.has_value());
    setToolTip(folder ? QString::fromStdString(download::EmulatedDisplayNote(*folder)) : QString());
}

}  // namespace lumera::app
