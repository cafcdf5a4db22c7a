#include "editing/validation.h"

#include <algorithm>

#include "editing/table_limits.h"
#include "editing/text_measures.h"

namespace lumera {
namespace {

// Every third narrow character costs one unit of the Chinese limit.
constexpr int kNarrowPerLimitUnit = 3;
// Texts shorter than this are never cut by TrimToWidth.
constexpr std::size_t kShortestCut = 12;

}  // namespace

bool IsEnglishCharacter(unsigned char byte) {
    return (byte >= 0x12 && byte <= 0x1B) || (byte >= 0x20 && byte <= 0x7E);
}

bool IsChineseCharacter(unsigned char byte) {
    return IsWideGlyph(byte) || (byte >= 0x20 && byte <= 0x7E) || byte >= 0x82;
}

bool HasBadEnglishChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return !IsEnglishCharacter(static_cast<unsigned char>(c)); });
}

bool HasBadChineseChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return !IsChineseCharacter(static_cast<unsigned char>(c)); });
}

int ChineseLimitForNarrow(int narrowCount) {
    const int cost = (narrowCount + kNarrowPerLimitUnit - 1) / kNarrowPerLimitUnit;
    return std::max(0, kChineseMaxLength - cost);
}

std::uint8_t ChineseLimit(std::string_view text, std::uint8_t prevChineseLimit) {
    int limit = ChineseLimitForNarrow(NarrowCharacterCount(text));
    if (limit + 1 == prevChineseLimit) {
        ++limit;
    }
    return static_cast<std::uint8_t>(limit);
}

std::string TrimToWidth(std::string_view text, int limit) {
    for (std::size_t k = kShortestCut; k <= text.size(); ++k) {
        if (DisplayUnits(text.substr(0, k)) > limit) {
            const std::size_t kept = DisplayUnits(text.substr(0, k - 1)) <= limit ? k - 1 : k - 2;
            return std::string(text.substr(0, kept));
        }
    }
    return std::string(text);
}

}  // namespace lumera
