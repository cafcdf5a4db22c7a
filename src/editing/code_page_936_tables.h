#pragma once

#include <cstdint>

// The code page 936 tables, generated at build time from the C library's converter by
// tools/codepage936: a lookup per character, with no converter to open and nothing to
// build when the program starts.
namespace lumera::code_page_936 {

constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFE;
constexpr int kTrailCount = kLastTrail - kFirstTrail + 1;
constexpr int kPairCount = (kLastLead - kFirstLead + 1) * kTrailCount;

// byte -> unit; 0 = not a character (byte 0 is itself).
extern const char16_t kFromSingle[256];
// pair -> unit, at PairIndex; 0 = not a character.
extern const char16_t kFromPair[kPairCount];
// unit -> its single byte, or lead << 8 | trail; the first spelling the converter gives
// when there are two; 0 = none.
extern const std::uint16_t kToBytes[65536];

constexpr bool IsPair(int lead, int trail) {
    return lead >= kFirstLead && lead <= kLastLead && trail >= kFirstTrail && trail <= kLastTrail;
}

constexpr int PairIndex(int lead, int trail) {
    return (lead - kFirstLead) * kTrailCount + (trail - kFirstTrail);
}

}  // namespace lumera::code_page_936
