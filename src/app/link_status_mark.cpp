#include "app/link_status_mark.h"

#include "download/display_connection.h"

namespace lumera::app {

namespace {

// Under the link picture (100, 16, 48 x 48), above the note box that starts at 72.
constexpr QRect kMarkGeometry{107, 57, 34, 14};

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
