#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "editing/table_limits.h"

namespace lumera {

// How a section comes onto the display, in the order of the window's opening list.
enum class OpenEffect : std::uint8_t {
    LeftToRight,
    RightToLeft,
    UpToDown,
    DownToUp,
    MiddleToTwoNearby,
    TwoNearbyToMiddle,
    AllDisplay,
    ContraRotation,
    ClockwiseRotation,
};

// How a section leaves the display, in the order of the window's closing list.
enum class CloseEffect : std::uint8_t {
    FromRightToLeft,
    FromLeftToRight,
    FromDownToUp,
    FromUpToDown,
    FromMiddleToTwoNearby,
    FromTwoNearbyToMiddle,
    AllExtinguishes,
};

static_assert(static_cast<int>(OpenEffect::ClockwiseRotation) + 1 == kOpenOptionCount);
static_assert(static_cast<int>(CloseEffect::AllExtinguishes) + 1 == kCloseOptionCount);

// An effect's position in its list, counted from 0: what message files store and what the
// image's effect byte counts from.
constexpr int EffectNumber(OpenEffect effect) {
    return static_cast<int>(effect);
}
constexpr int EffectNumber(CloseEffect effect) {
    return static_cast<int>(effect);
}

// The effect at a position of its list; nullopt for a number outside the list.
constexpr std::optional<OpenEffect> OpenEffectFromNumber(int number) {
    if (number < 0 || number >= kOpenOptionCount) {
        return std::nullopt;
    }
    return static_cast<OpenEffect>(number);
}
constexpr std::optional<CloseEffect> CloseEffectFromNumber(int number) {
    if (number < 0 || number >= kCloseOptionCount) {
        return std::nullopt;
    }
    return static_cast<CloseEffect>(number);
}

// A stable name for the command line, "left-to-right" or "all-extinguishes": the English
// item of the window's list, in lower case with dashes between its words.
std::string_view EffectName(OpenEffect effect);
std::string_view EffectName(CloseEffect effect);
// The effect of a name or of a number written in decimal; nullopt for neither.
std::optional<OpenEffect> OpenEffectNamed(std::string_view name);
std::optional<CloseEffect> CloseEffectNamed(std::string_view name);

}  // namespace lumera
