#include "code_page_936.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumera {
namespace {

constexpr char16_t kReplacementUnit = 0xFFFD;

// Both directions are tabulated once from the C library's converter: a lookup per
// character keeps rasterisation free of converter state and allocations.
struct Tables {
    std::array<char16_t, 65536> fromPair{};  // (lead << 8 | trail) -> unit, 0 = not a character
    std::array<char16_t, 256> fromSingle{};  // byte -> unit, 0 = not a character (except byte 0)
    std::array<std::uint16_t, 65536>
        toBytes{};  // unit -> single byte or (lead << 8 | trail), 0 = none

    Tables() {
        iconv_t cd = iconv_open("UTF-16LE", "CP936");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            return;
        }
        auto convert = [&](const char* in, std::size_t length) -> char16_t {
            char16_t out[2] = {0, 0};
            char* inPtr = const_cast<char*>(in);
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = length;
            std::size_t outLeft = sizeof(out);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            if (result == static_cast<std::size_t>(-1) || inLeft != 0 ||
                outLeft != sizeof(out) - 2) {
                return 0;
            }
            return out[0];
        };
        for (int byte = 0; byte < 256; ++byte) {
            const char in = static_cast<char>(byte);
            fromSingle[byte] = byte == 0 ? 0 : convert(&in, 1);
            if (fromSingle[byte] != 0 && toBytes[fromSingle[byte]] == 0) {
                toBytes[fromSingle[byte]] = static_cast<std::uint16_t>(byte);
            }
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const char16_t unit = convert(in, 2);
                fromPair[lead << 8 | trail] = unit;
                if (unit != 0 && toBytes[unit] == 0) {
                    toBytes[unit] = static_cast<std::uint16_t>(lead << 8 | trail);
                }
            }
        }
        iconv_close(cd);
    }
};

const Tables& tables() {
    static const auto instance = std::make_unique<Tables>();
    return *instance;
}

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
    const Tables& t = tables();
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
            const char16_t pair = t.fromPair[byte << 8 | trail];
            if (pair != 0) {
                units += pair;
                ++i;
                continue;
            }
        }
        const char16_t single = t.fromSingle[byte];
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
    const std::uint16_t code = tables().toBytes[unit];
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
