#include "editing/glyph_names.h"

#include <array>
#include <string_view>
#include <utility>

namespace lumera {
namespace {

// The symbols of both keyboards: the wide ones of the glyph keyboard (0x01..0x11) and the
// icons of the English keyboard (0x12..0x1B). Several pictures stand on both, in a
// different order.
constexpr std::array<std::pair<unsigned char, std::string_view>, 24> kSymbolNames{{
    {0x01, "heart"},      {0x02, "star"},        {0x03, "smiley"},      {0x04, "musical note"},
    {0x05, "left arrow"}, {0x06, "right arrow"}, {0x07, "up arrow"},    {0x08, "down arrow"},
    {0x0B, "sun"},        {0x0C, "umbrella"},    {0x0E, "house"},       {0x0F, "telephone"},
    {0x10, "envelope"},   {0x11, "clock"},       {0x12, "heart"},       {0x13, "musical note"},
    {0x14, "left arrow"}, {0x15, "right arrow"}, {0x16, "up arrow"},    {0x17, "down arrow"},
    {0x18, "smiley"},     {0x19, "star"},        {0x1A, "degree sign"}, {0x1B, "diamond"},
}};

// Printable characters other than letters and digits.
constexpr std::array<std::pair<unsigned char, std::string_view>, 33> kPunctuationNames{{
    {' ', "space"},
    {'!', "exclamation mark"},
    {'"', "quotation mark"},
    {'#', "number sign"},
    {'$', "dollar sign"},
    {'%', "percent sign"},
    {'&', "ampersand"},
    {'\'', "apostrophe"},
    {'(', "left parenthesis"},
    {')', "right parenthesis"},
    {'*', "asterisk"},
    {'+', "plus sign"},
    {',', "comma"},
    {'-', "hyphen"},
    {'.', "full stop"},
    {'/', "slash"},
    {':', "colon"},
    {';', "semicolon"},
    {'<', "less-than sign"},
    {'=', "equals sign"},
    {'>', "greater-than sign"},
    {'?', "question mark"},
    {'@', "at sign"},
    {'[', "left square bracket"},
    {'\\', "backslash"},
    {']', "right square bracket"},
    {'^', "circumflex accent"},
    {'_', "underscore"},
    {'`', "grave accent"},
    {'{', "left curly bracket"},
    {'|', "vertical bar"},
    {'}', "right curly bracket"},
    {'~', "tilde"},
}};

template <std::size_t N>
std::string_view NameIn(const std::array<std::pair<unsigned char, std::string_view>, N>& names,
                        unsigned char code) {
    for (const auto& [named, name] : names) {
        if (named == code) {
            return name;
        }
    }
    return {};
}

}  // namespace

std::string GlyphName(unsigned char code) {
    const char character = static_cast<char>(code);
    if (code >= 'A' && code <= 'Z') {
        return std::string("capital ") + character;
    }
    if (code >= 'a' && code <= 'z') {
        return std::string("small ") + character;
    }
    if (code >= '0' && code <= '9') {
        return std::string(1, character);
    }
    const std::string_view symbol = NameIn(kSymbolNames, code);
    return std::string(symbol.empty() ? NameIn(kPunctuationNames, code) : symbol);
}

}  // namespace lumera
