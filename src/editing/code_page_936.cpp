#include "code_page_936.h"

#include <cstdint>

#include "editing/code_page_936_tables.h"

namespace lumera {
namespace {

constexpr char16_t kReplacementUnit = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at `pos`; nullopt for a malformed sequence.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F;
        extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F;
        extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07;
        extra = 3;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= text.size()) {
        return std::nullopt;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms and surrogates are malformed: they would let a text smuggle in
    // characters (a zero byte, ASCII) under another spelling.
    constexpr char32_t kShortestForm[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kShortestForm[extra] || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += extra + 1;
    return cp;
}

}  // namespace

std::u16string CodePage936ToUtf16(std::string_view bytes) {
    using namespace code_page_936;
    std::u16string units;
    units.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            units += static_cast<char16_t>(byte);
            continue;
        }
        if (i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t pair = IsPair(byte, trail) ? kFromPair[PairIndex(byte, trail)] : 0;
            if (pair != 0) {
                units += pair;
                ++i;
                continue;
            }
        }
        const char16_t single = kFromSingle[byte];
        units += single != 0 ? single : kReplacementUnit;
    }
    return units;
}

std::string CodePage936ToUtf8(std::string_view bytes) {
    std::string out;
    for (const char16_t unit : CodePage936ToUtf16(bytes)) {
        appendUtf8(out, unit);
    }
    return out;
}

std::optional<std::string> CodePage936FromUnit(char16_t unit) {
    if (unit == 0) {
        return std::string(1, '\0');
    }
    const std::uint16_t code = code_page_936::kToBytes[unit];
    if (code == 0) {
        return std::nullopt;
    }
    if (code < 0x100) {
        return std::string(1, static_cast<char>(code));
    }
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::optional<std::string> Utf8ToCodePage936(std::string_view utf8) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = nextCodePoint(utf8, pos);
        if (!cp || *cp > 0xFFFF) {
            return std::nullopt;
        }
        const auto bytes = CodePage936FromUnit(static_cast<char16_t>(*cp));
        if (!bytes) {
            return std::nullopt;
        }
        out += *bytes;
    }
    return out;
}

}  // namespace lumera
