#include "editing/glyph_names.h"

#include <array>
#include <string_view>
#include <utility>

// Marks the names for the window's translation files: lupdate reads the mark, while this
// library stays plain C++ without Qt.
#define QT_TRANSLATE_NOOP(context, text) text

namespace lumera {
namespace {

// The symbols of both keyboards: the wide ones of the glyph keyboard (0x01..0x11) and the
// icons of the English keyboard (0x12..0x1B). Several pictures stand on both, in a
// different order.
constexpr std::array<std::pair<unsigned char, std::string_view>, 24> kSymbolNames{{
    {0x01, QT_TRANSLATE_NOOP("GlyphName", "heart")},
    {0x02, QT_TRANSLATE_NOOP("GlyphName", "star")},
    {0x03, QT_TRANSLATE_NOOP("GlyphName", "smiley")},
    {0x04, QT_TRANSLATE_NOOP("GlyphName", "musical note")},
    {0x05, QT_TRANSLATE_NOOP("GlyphName", "left arrow")},
    {0x06, QT_TRANSLATE_NOOP("GlyphName", "right arrow")},
    {0x07, QT_TRANSLATE_NOOP("GlyphName", "up arrow")},
    {0x08, QT_TRANSLATE_NOOP("GlyphName", "down arrow")},
    {0x0B, QT_TRANSLATE_NOOP("GlyphName", "sun")},
    {0x0C, QT_TRANSLATE_NOOP("GlyphName", "umbrella")},
    {0x0E, QT_TRANSLATE_NOOP("GlyphName", "house")},
    {0x0F, QT_TRANSLATE_NOOP("GlyphName", "telephone")},
    {0x10, QT_TRANSLATE_NOOP("GlyphName", "envelope")},
    {0x11, QT_TRANSLATE_NOOP("GlyphName", "clock")},
    {0x12, QT_TRANSLATE_NOOP("GlyphName", "heart")},
    {0x13, QT_TRANSLATE_NOOP("GlyphName", "musical note")},
    {0x14, QT_TRANSLATE_NOOP("GlyphName", "left arrow")},
    {0x15, QT_TRANSLATE_NOOP("GlyphName", "right arrow")},
    {0x16, QT_TRANSLATE_NOOP("GlyphName", "up arrow")},
    {0x17, QT_TRANSLATE_NOOP("GlyphName", "down arrow")},
    {0x18, QT_TRANSLATE_NOOP("GlyphName", "smiley")},
    {0x19, QT_TRANSLATE_NOOP("GlyphName", "star")},
    {0x1A, QT_TRANSLATE_NOOP("GlyphName", "degree sign")},
    {0x1B, QT_TRANSLATE_NOOP("GlyphName", "diamond")},
}};

// Printable characters other than letters and digits.
constexpr std::array<std::pair<unsigned char, std::string_view>, 33> kPunctuationNames{{
    {' ', QT_TRANSLATE_NOOP("GlyphName", "space")},
    {'!', QT_TRANSLATE_NOOP("GlyphName", "exclamation mark")},
    {'"', QT_TRANSLATE_NOOP("GlyphName", "quotation mark")},
    {'#', QT_TRANSLATE_NOOP("GlyphName", "number sign")},
    {'$', QT_TRANSLATE_NOOP("GlyphName", "dollar sign")},
    {'%', QT_TRANSLATE_NOOP("GlyphName", "percent sign")},
    {'&', QT_TRANSLATE_NOOP("GlyphName", "ampersand")},
    {'\'', QT_TRANSLATE_NOOP("GlyphName", "apostrophe")},
    {'(', QT_TRANSLATE_NOOP("GlyphName", "left parenthesis")},
    {')', QT_TRANSLATE_NOOP("GlyphName", "right parenthesis")},
    {'*', QT_TRANSLATE_NOOP("GlyphName", "asterisk")},
    {'+', QT_TRANSLATE_NOOP("GlyphName", "plus sign")},
    {',', QT_TRANSLATE_NOOP("GlyphName", "comma")},
    {'-', QT_TRANSLATE_NOOP("GlyphName", "hyphen")},
    {'.', QT_TRANSLATE_NOOP("GlyphName", "full stop")},
    {'/', QT_TRANSLATE_NOOP("GlyphName", "slash")},
    {':', QT_TRANSLATE_NOOP("GlyphName", "colon")},
    {';', QT_TRANSLATE_NOOP("GlyphName", "semicolon")},
    {'<', QT_TRANSLATE_NOOP("GlyphName", "less-than sign")},
    {'=', QT_TRANSLATE_NOOP("GlyphName", "equals sign")},
    {'>', QT_TRANSLATE_NOOP("GlyphName", "greater-than sign")},
    {'?', QT_TRANSLATE_NOOP("GlyphName", "question mark")},
    {'@', QT_TRANSLATE_NOOP("GlyphName", "at sign")},
    {'[', QT_TRANSLATE_NOOP("GlyphName", "left square bracket")},
    {'\\', QT_TRANSLATE_NOOP("GlyphName", "backslash")},
    {']', QT_TRANSLATE_NOOP("GlyphName", "right square bracket")},
    {'^', QT_TRANSLATE_NOOP("GlyphName", "circumflex accent")},
    {'_', QT_TRANSLATE_NOOP("GlyphName", "underscore")},
    {'`', QT_TRANSLATE_NOOP("GlyphName", "grave accent")},
    {'{', QT_TRANSLATE_NOOP("GlyphName", "left curly bracket")},
    {'|', QT_TRANSLATE_NOOP("GlyphName", "vertical bar")},
    {'}', QT_TRANSLATE_NOOP("GlyphName", "right curly bracket")},
    {'~', QT_TRANSLATE_NOOP("GlyphName", "tilde")},
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
