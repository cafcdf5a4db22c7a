#pragma once

#include <QLabel>

#include "outside/device_binding.h"

namespace lumera::app {

// Beside "Link Status:": a mark while the device library talks to the emulated display
// (its tooltip names the folder), and a line of help in the link icon's tooltip for when
// no display answers.
class LinkStatusMark : public QLabel {
public:
    LinkStatusMark(QWidget* parent, QLabel* linkIcon);

    // Follows the device library, which reads its choice at every open; an unbound library
    // uses no display at all.
    void Refresh(const DeviceBinding& device);
};

}  // namespace lumera::app
