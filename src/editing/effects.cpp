#include "editing/effects.h"

#include <array>

namespace lumera {
namespace {

constexpr std::array<std::string_view, kOpenOptionCount> kOpenEffectNames = {
    "left-to-right", "right-to-left",        "up-to-down",
    "down-to-up",    "middle-to-two-nearby", "two-nearby-to-middle",
    "all-display",   "contra-rotation",      "clockwise-rotation",
};

constexpr std::array<std::string_view, kCloseOptionCount> kCloseEffectNames = {
    "from-right-to-left",        "from-left-to-right",        "from-down-to-up",  "from-up-to-down",
    "from-middle-to-two-nearby", "from-two-nearby-to-middle", "all-extinguishes",
};

}  // namespace

std::string_view EffectName(OpenEffect effect) {
    return kOpenEffectNames.at(EffectNumber(effect));
}

std::string_view EffectName(CloseEffect effect) {
    return kCloseEffectNames.at(EffectNumber(effect));
}

}  // namespace lumera
