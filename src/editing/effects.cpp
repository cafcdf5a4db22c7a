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

template <typename Effect, std::size_t N>
std::optional<Effect> Named(std::string_view name, const std::array<std::string_view, N>& names) {
    for (std::size_t k = 0; k < N; ++k) {
        if (names[k] == name || (name.size() == 1 && name[0] == static_cast<char>('0' + k))) {
            return static_cast<Effect>(k);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<OpenEffect> OpenEffectNamed(std::string_view name) {
    return Named<OpenEffect>(name, kOpenEffectNames);
}

std::optional<CloseEffect> CloseEffectNamed(std::string_view name) {
    return Named<CloseEffect>(name, kCloseEffectNames);
}

std::string_view EffectName(OpenEffect effect) {
    return kOpenEffectNames.at(EffectNumber(effect));
}

std::string_view EffectName(CloseEffect effect) {
    return kCloseEffectNames.at(EffectNumber(effect));
}

}  // namespace lumera
