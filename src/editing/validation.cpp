#include "editing/validation.h"

#include <algorithm>

#include "editing/byte_classes.h"
#include "editing/code_page_936.h"
#include "editing/glyph_names.h"
#include "editing/language_texts.h"
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
    return ClassIn(byte, true) != CharacterClass::None;
}

bool IsChineseCharacter(unsigned char byte) {
    return ClassIn(byte, false) != CharacterClass::None;
}

bool HasBadEnglishChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return !IsEnglishCharacter(static_cast<unsigned char>(c)); });
}

bool HasBadChineseChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return !IsChineseCharacter(static_cast<unsigned char>(c)); });
}

std::string BadCharacterMessage(std::string_view text, bool englishMode) {
    const auto bad = std::find_if(text.begin(), text.end(), [englishMode](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return englishMode ? !IsEnglishCharacter(byte) : !IsChineseCharacter(byte);
    });
    std::string message(kBadCharacterMessage);
    if (bad == text.end()) {
        return message;
    }
    // The whole double-byte character the bad byte belongs to, where it is one.
    std::size_t at = static_cast<std::size_t>(bad - text.begin());
    std::size_t length = 1;
    for (std::size_t k = 0; k < text.size(); k += length) {
        length =
            IsDoubleByteLead(static_cast<unsigned char>(text[k])) && k + 1 < text.size() ? 2 : 1;
        if (k + length > at) {
            at = k;
            break;
        }
    }
    const std::string_view character = text.substr(at, length);
    std::string code = "0x";
    for (const char byte : character) {
        constexpr char kHex[] = "0123456789ABCDEF";
        code += kHex[static_cast<unsigned char>(byte) >> 4];
        code += kHex[static_cast<unsigned char>(byte) & 0x0F];
    }
    const auto first = static_cast<unsigned char>(character[0]);
    std::string shown;
    if (length == 1 && IsGlyphCode(first)) {
        shown = GlyphName(first);
    } else if (length == 2 || IsPrintable(first) || !IsPlainAscii(first)) {
        shown = CodePage936ToUtf8(character);
    }
    // A control character or a lone byte is named by its code alone.
    return shown.empty() ? message + " (" + code + ")"
                         : message + " \u201C" + shown + "\u201D (" + code + ")";
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
