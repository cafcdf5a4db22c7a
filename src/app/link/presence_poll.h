#pragma once

#include <QObject>
#include <cstdint>

#include "outside/device_binding.h"

namespace lumera::app {

// Asks the device library now and then whether the display is there. It counts the window
// timer's ticks rather than keeping a clock of its own: a preview hold pauses those ticks,
// and the poll with them.
class PresencePoll : public QObject {
    Q_OBJECT

public:
    PresencePoll(const DeviceBinding& device, QObject* parent);

    // One tick of the window's timer: every 41st opens the display to see whether it is
    // there, and gives back what it opened.
    void Tick();

    const DeviceBinding& device() const { return device_; }

signals:
    void polled(bool reachable);

private:
    const DeviceBinding& device_;
    std::uint8_t ticks_ = 0;
};

}  // namespace lumera::app
