#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "zrusb/device.h"
#include "zrusb/emulated_display.h"
#include "zrusb/fault_plan.h"

namespace lumera::zrusb {

// The emulated display behind a directory: every packet it receives is appended to
// packets.log, and a completed image replaces eeprom.bin.
//
// Exchanges are counted by packets written, not by opens, because the presence poll opens
// without writing: exchange N is the N-th write since this display was created, with the
// open before it and the read after it. A failed write still uses up its number, so a
// write fault strikes once. A failed open writes nothing, so an open fault holds until
// the fault list changes: the display looks unplugged from that point on.
class EmulatedDevice : public Device {
public:
    explicit EmulatedDevice(std::filesystem::path directory);

    const std::filesystem::path& Directory() const { return directory_; }
    void UseFaults(FaultPlan faults) { faults_ = std::move(faults); }
    // Whether an open made now reaches the display.
    bool Reachable() const;
    void Retire() { retired_ = true; }

    bool Write(const Packet& packet) override;
    std::size_t Read(std::span<unsigned char> buffer) override;
    bool Usable() const override { return !retired_; }

private:
    unsigned char Answer(const Packet& packet);
    bool Log(const Packet& packet) const;
    bool Store(const std::vector<unsigned char>& image) const;

    std::filesystem::path directory_;
    FaultPlan faults_;
    EmulatedDisplay display_;
    std::uint64_t packetsWritten_ = 0;
    std::optional<Reply> pendingReply_;
    bool retired_ = false;
};

}  // namespace lumera::zrusb
