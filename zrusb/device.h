#pragma once

#include <cstddef>
#include <span>

#include "zrusb/protocol.h"

namespace lumera::zrusb {

// One reachable display, shared by every handle given out for it.
class Device {
public:
    virtual ~Device() = default;

    // False when the packet did not reach the display.
    virtual bool Write(const Packet& packet) = 0;
    // Bytes of the reply placed in the buffer; 0 when no reply came, or one too short to
    // fill the buffer up to the status byte.
    virtual std::size_t Read(std::span<unsigned char> buffer) = 0;
    // False once the display is gone or was replaced; its handles stop working.
    virtual bool Usable() const = 0;
};

}  // namespace lumera::zrusb
