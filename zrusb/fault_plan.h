#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumera::zrusb {

// Faults the emulated display injects, from a comma-separated list such as
// "open@3,read@*,status@5=2A,slow@4=300". Exchange N is the open, write and read that carry
// the N-th packet written (see EmulatedTransport); "*" means every exchange. "numbered" is
// no fault but a kind of display: one that declares numbered reports.
enum class FaultKind {
    Absent,
    Numbered,
    Open,
    Write,
    Read,
    Status,
    Unplug,
    Replug,
    Silent,
    Slow,
    Short,
    Long
};

struct Fault {
    FaultKind kind;
    std::optional<std::uint64_t> exchange;  // empty: every exchange
    unsigned char status = 0;               // the reply status of a Status fault
    unsigned delayMs = 0;                   // the reply's delay of a Slow fault
};

class FaultPlan {
public:
    struct Parsed;
    // Items that do not parse are left out and returned as written, for a warning.
    static Parsed Parse(std::string_view list);

    bool Absent() const;
    bool Numbered() const;
    bool Has(FaultKind kind, std::uint64_t exchange) const;
    // The first listed status fault for this exchange.
    std::optional<unsigned char> StatusAt(std::uint64_t exchange) const;
    // The first listed delay for this exchange, 0 when none.
    unsigned DelayAt(std::uint64_t exchange) const;

private:
    bool HasAnywhere(FaultKind kind) const;
    const Fault* Find(FaultKind kind, std::uint64_t exchange) const;

    std::vector<Fault> faults_;
};

struct FaultPlan::Parsed {
    FaultPlan plan;
    std::vector<std::string> rejectedItems;
};

}  // namespace lumera::zrusb
