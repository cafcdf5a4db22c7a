#pragma once

#include <QLabel>
#include <optional>
#include <string>

#include "outside/device_binding.h"

namespace lumera::app {

// Beside "Link Status:": a mark while the device library talks to the emulated display
// (its tooltip names the folder), and the line of help the link icon's tooltip gives when
// no display answers.
class LinkStatusMark : public QLabel {
    Q_OBJECT

public:
    explicit LinkStatusMark(QWidget* parent);

    // The mark's texts in the current language.
    void Retranslate();
    // The line of help for the link icon's tooltip when no display answers.
    static QString NoDisplayHelp();

    // Follows the device library, which reads its choice at every open; an unbound library
    // uses no display at all.
    void Refresh(const DeviceBinding& device);

private:
    void Describe();

    std::optional<std::string> folder_;
};

}  // namespace lumera::app
