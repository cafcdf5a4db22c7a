#include "zrusb/emulated_display.h"

namespace lumera::zrusb {

namespace {

constexpr std::size_t kProbeValueIndex = 4;
constexpr std::size_t kFirstImageByte = 3;
constexpr std::size_t kFinalRemainderIndex = 3;
constexpr std::size_t kFirstFinalImageByte = 4;

EmulatedDisplay::Outcome Answer(unsigned char status) {
    return {status, std::nullopt};
}

}  // namespace

EmulatedDisplay::Outcome EmulatedDisplay::Receive(const Packet& packet) {
    if (!HasValidChecksum(packet)) {
        return Answer(status::kMalformed);
    }
    switch (KindOf(packet)) {
        case CommandKind::Setup:
            return ReceiveSetup(packet);
        case CommandKind::Data:
            return ReceiveData(packet);
        case CommandKind::Final:
            return ReceiveFinal(packet);
        case CommandKind::Unknown:
            break;
    }
    return Answer(status::kMalformed);
}

EmulatedDisplay::Outcome EmulatedDisplay::ReceiveSetup(const Packet& packet) {
    if (stage_ == Stage::Receiving && probeIfNotSize_) {
        // Read the previous packet as the probe it was; a refusal of this one changes nothing.
        const EmulatedDisplay before = *this;
        announcedProbeValue_ = *probeIfNotSize_;
        probeIfNotSize_.reset();
        stage_ = Stage::AwaitingSize;
        auto outcome = ReceiveSize(packet);
        if (outcome.status != status::kAccepted) {
            *this = before;
        }
        return outcome;
    }
    if (stage_ == Stage::AwaitingSize) {
        return ReceiveSize(packet);
    }
    if (HasProbeShape(packet)) {
        return StartOver(packet);
    }
    return Answer(status::kOutOfSequence);
}

EmulatedDisplay::Outcome EmulatedDisplay::ReceiveSize(const Packet& packet) {
    const auto [capacityClass, imageSize] = ReadSizeCommand(packet);
    const bool matchesClass = capacityClass != 0 && capacityClass == CapacityClass(imageSize);
    // A transfer abandoned after its probe leaves the display waiting for a size, and the
    // next transfer's probe can read as a class-1 size command. A size command always
    // agrees with the probe before it, so a probe-shaped packet that does not is a probe.
    if (HasProbeShape(packet) && !(matchesClass && ProbeValue(imageSize) == announcedProbeValue_)) {
        return StartOver(packet);
    }
    if (!matchesClass) {
        return Answer(status::kSizeRefused);
    }
    imageSize_ = imageSize;
    received_.clear();
    stage_ = Stage::Receiving;
    if (HasProbeShape(packet)) {
        probeIfNotSize_ = packet[kProbeValueIndex];
    }
    return Answer(status::kAccepted);
}

EmulatedDisplay::Outcome EmulatedDisplay::ReceiveData(const Packet& packet) {
    if (stage_ != Stage::Receiving || received_.size() + kBytesPerDataCommand > imageSize_) {
        return Answer(status::kOutOfSequence);
    }
    const auto first = packet.begin() + kFirstImageByte;
    received_.insert(received_.end(), first, first + kBytesPerDataCommand);
    probeIfNotSize_.reset();
    return Answer(status::kAccepted);
}

EmulatedDisplay::Outcome EmulatedDisplay::ReceiveFinal(const Packet& packet) {
    const std::size_t remainder = packet[kFinalRemainderIndex];
    if (stage_ != Stage::Receiving || remainder >= kBytesPerDataCommand ||
        received_.size() + remainder != imageSize_) {
        return Answer(status::kOutOfSequence);
    }
    const auto first = packet.begin() + kFirstFinalImageByte;
    received_.insert(received_.end(), first, first + remainder);
    stage_ = Stage::AwaitingProbe;
    probeIfNotSize_.reset();
    return {status::kAccepted, RestoreImage(received_)};
}

EmulatedDisplay::Outcome EmulatedDisplay::StartOver(const Packet& probe) {
    announcedProbeValue_ = probe[kProbeValueIndex];
    probeIfNotSize_.reset();
    imageSize_ = 0;
    received_.clear();
    stage_ = Stage::AwaitingSize;
    return Answer(status::kAccepted);
}

}  // namespace lumera::zrusb
