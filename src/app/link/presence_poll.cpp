#include "app/link/presence_poll.h"

namespace lumera::app {
namespace {

// The poll runs on the tick after this many ticks, every 41 ticks (about 2 s).
constexpr std::uint8_t kTicksBetweenPolls = 40;

}  // namespace

PresencePoll::PresencePoll(const DeviceBinding& device, QObject* parent)
    : QObject(parent), device_(device) {}

void PresencePoll::Tick() {
    const DeviceEntryPoints& entry = device_.entryPoints();
    if (!entry.OpenUSBDevice) {
        return;
    }
    if (++ticks_ <= kTicksBetweenPolls) {
        return;
    }
    ticks_ = 0;
    const int handle = entry.OpenUSBDevice(kDisplayVendorId, kDisplayProductId);
    // Each poll gives back what it opened, so polling never piles up open handles.
    if (handle != -1) {
        entry.CloseUSBDevice(handle);
    }
    emit polled(handle != -1);
}

}  // namespace lumera::app
