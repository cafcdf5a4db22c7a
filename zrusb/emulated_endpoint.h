#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "zrusb/emulated_display.h"
#include "zrusb/fault_plan.h"

namespace lumera::zrusb {

// The emulated display's end of the cable, shared by the emulated transport and the test
// fixture that stands the display up as a kernel device: it takes each output report as
// hidraw hands it on (report number first), appends it to packets.log, answers it through
// the command sequence, keeps a completed image in eeprom.bin and forms the input report
// of its reply. Faults of the cable itself (write, unplug, replug) belong to the caller.
class EmulatedEndpoint {
public:
    struct Reply {
        std::chrono::milliseconds delay;
        bool lost;
        std::vector<unsigned char> report;
    };
    struct Taken {
        std::string error;  // why the report was not taken; empty when it was
        std::optional<Reply> reply;
    };

    explicit EmulatedEndpoint(std::filesystem::path directory);

    const std::filesystem::path& Directory() const { return directory_; }
    const FaultPlan& Faults() const { return faults_; }
    void UseFaults(FaultPlan faults) { faults_ = std::move(faults); }
    // The number of every report of a display that numbers them ("numbered"), else 0.
    unsigned char ReportId() const;
    // Exchanges are counted by packets written: the next write is exchange Exchanges() + 1.
    std::uint64_t Exchanges() const { return exchanges_; }
    std::uint64_t BeginExchange() { return ++exchanges_; }

    // Takes the output report of this exchange: no reply when the display stays silent.
    Taken Take(std::span<const unsigned char> report, std::uint64_t exchange);

private:
    unsigned char Answer(std::span<const unsigned char> report, std::uint64_t exchange);
    std::vector<unsigned char> InputReport(unsigned char status, std::uint64_t exchange) const;
    bool Log(std::span<const unsigned char> report) const;
    bool Store(const std::vector<unsigned char>& image) const;

    std::filesystem::path directory_;
    FaultPlan faults_;
    EmulatedDisplay sequence_;
    std::uint64_t exchanges_ = 0;
};

}  // namespace lumera::zrusb
