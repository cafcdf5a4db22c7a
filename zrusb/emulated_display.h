#pragma once

#include <optional>
#include <vector>

#include "zrusb/protocol.h"

namespace lumera::zrusb {

// The display's side of the command sequence, without any I/O: a probe starts (or
// restarts) a transfer, a size command announces the image, data commands fill it and a
// final command completes it. A refused packet changes nothing.
class EmulatedDisplay {
public:
    struct Outcome {
        unsigned char status;
        // Set when a final command completed the image: the image as the program built it.
        std::optional<std::vector<unsigned char>> completedImage;
    };

    Outcome Receive(const Packet& packet);

private:
    enum class Stage { AwaitingProbe, AwaitingSize, Receiving };

    Outcome ReceiveSetup(const Packet& packet);
    Outcome ReceiveSize(const Packet& packet);
    Outcome ReceiveData(const Packet& packet);
    Outcome ReceiveFinal(const Packet& packet);
    Outcome StartOver(const Packet& probe);

    Stage stage_ = Stage::AwaitingProbe;
    unsigned char announcedProbeValue_ = 0;
    // A class-1 size command has the probe's shape. When the packet taken as the size could
    // also have been a new probe (a transfer retried after its size went astray), this holds
    // its probe value until the next packet settles it: data confirms the size, another
    // setup packet shows it was a probe.
    std::optional<unsigned char> probeIfNotSize_;
    std::size_t imageSize_ = 0;
    std::vector<unsigned char> received_;
};

}  // namespace lumera::zrusb
