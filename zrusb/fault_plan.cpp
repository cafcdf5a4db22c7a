#include "zrusb/fault_plan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace lumera::zrusb {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kEveryExchange = "*";
constexpr std::size_t kStatusDigits = 2;
constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

constexpr std::array<std::pair<std::string_view, FaultKind>, 10> kExchangeFaults{{
    {"open", FaultKind::Open},
    {"write", FaultKind::Write},
    {"read", FaultKind::Read},
    {"status", FaultKind::Status},
    {"unplug", FaultKind::Unplug},
    {"replug", FaultKind::Replug},
    {"silent", FaultKind::Silent},
    {"slow", FaultKind::Slow},
    {"short", FaultKind::Short},
    {"long", FaultKind::Long},
}};
// A minute is far past any reply wait; a longer delay would only stall the emulator.
constexpr unsigned kLongestDelayMs = 60000;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text, int base) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "N" (counting from 1) or "*" (every exchange).
bool ReadExchange(std::string_view text, Fault& fault) {
    if (text == kEveryExchange) {
        fault.exchange.reset();
        return true;
    }
    // from_chars takes no sign and no blanks, so only digits pass.
    const auto number = WholeNumber<std::uint64_t>(text, kDecimalBase);
    if (!number || *number == 0) {
        return false;
    }
    fault.exchange = *number;
    return true;
}

std::optional<Fault> ParseItem(std::string_view item) {
    if (item == "absent") {
        return Fault{FaultKind::Absent, std::nullopt};
    }
    if (item == "numbered") {
        return Fault{FaultKind::Numbered, std::nullopt};
    }
    const auto at = item.find('@');
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto name = item.substr(0, at);
    const auto found =
        std::ranges::find(kExchangeFaults, name, &std::pair<std::string_view, FaultKind>::first);
    if (found == kExchangeFaults.end()) {
        return std::nullopt;
    }
    Fault fault{found->second, std::nullopt};
    auto exchangeText = item.substr(at + 1);
    if (fault.kind == FaultKind::Status) {
        const auto equals = exchangeText.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        const auto statusText = exchangeText.substr(equals + 1);
        const auto status = WholeNumber<unsigned>(statusText, kHexBase);
        if (statusText.size() != kStatusDigits || !status) {
            return std::nullopt;
        }
        fault.status = static_cast<unsigned char>(*status);
        exchangeText = exchangeText.substr(0, equals);
    } else if (fault.kind == FaultKind::Slow) {
        const auto equals = exchangeText.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        const auto delay = WholeNumber<unsigned>(exchangeText.substr(equals + 1), kDecimalBase);
        if (!delay || *delay > kLongestDelayMs) {
            return std::nullopt;
        }
        fault.delayMs = *delay;
        exchangeText = exchangeText.substr(0, equals);
    }
    if (!ReadExchange(exchangeText, fault)) {
        return std::nullopt;
    }
    return fault;
}

}  // namespace

FaultPlan::Parsed FaultPlan::Parse(std::string_view list) {
    Parsed parsed;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const auto item = Trimmed(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        if (item.empty()) {
            continue;
        }
        if (auto fault = ParseItem(item)) {
            parsed.plan.faults_.push_back(*fault);
        } else {
            parsed.rejectedItems.emplace_back(item);
        }
    }
    return parsed;
}

bool FaultPlan::Absent() const {
    return HasAnywhere(FaultKind::Absent);
}

bool FaultPlan::Numbered() const {
    return HasAnywhere(FaultKind::Numbered);
}

bool FaultPlan::HasAnywhere(FaultKind kind) const {
    return std::ranges::any_of(faults_, [kind](const Fault& f) { return f.kind == kind; });
}

bool FaultPlan::Has(FaultKind kind, std::uint64_t exchange) const {
    return Find(kind, exchange) != nullptr;
}

std::optional<unsigned char> FaultPlan::StatusAt(std::uint64_t exchange) const {
    if (const Fault* fault = Find(FaultKind::Status, exchange)) {
        return fault->status;
    }
    return std::nullopt;
}

unsigned FaultPlan::DelayAt(std::uint64_t exchange) const {
    const Fault* fault = Find(FaultKind::Slow, exchange);
    return fault != nullptr ? fault->delayMs : 0;
}

const Fault* FaultPlan::Find(FaultKind kind, std::uint64_t exchange) const {
    const auto found = std::ranges::find_if(faults_, [&](const Fault& f) {
        return f.kind == kind && (!f.exchange || *f.exchange == exchange);
    });
    return found == faults_.end() ? nullptr : &*found;
}

}  // namespace lumera::zrusb
