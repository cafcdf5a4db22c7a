#pragma once

#include <string>

namespace lumera {

// What a character of a section text is called, for screen readers and tooltips: the glyph
// symbols by what they show ("heart", "up arrow"), printable characters by their usual names
// ("ampersand", "capital A", "small a", "7"). Empty for a code no key inserts.
std::string GlyphName(unsigned char code);

}  // namespace lumera
