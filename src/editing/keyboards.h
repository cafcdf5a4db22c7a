#pragma once

#include <string>
#include <vector>

namespace lumera {

constexpr int kGlyphKeyCount = 109;
constexpr int kEnglishKeyCount = 105;
// Key n of either keyboard carries the Tag kKeyTagBase + n.
constexpr int kKeyTagBase = 100;

// One button of an on-screen keyboard.
struct KeyboardKey {
    std::string name;        // the button's name: "CNBtn1".."CNBtn109", "EngBtn1".."EngBtn105"
    int tag = 0;             // kKeyTagBase + key number
    unsigned char code = 0;  // the byte the key inserts: the first byte of its caption
    std::string caption;     // the one character; "&&" for the ampersand, which a button
                             // would otherwise take as a mnemonic mark
};

// The glyph keyboard (CNBtn1..CNBtn109), shown in the Chinese mode and under the
// Japanese texts, and the English keyboard (EngBtn1..EngBtn105), in key-number order.
const std::vector<KeyboardKey>& GlyphKeys();
const std::vector<KeyboardKey>& EnglishKeys();

// Key `number` (1-based); std::out_of_range for a number the keyboard does not have.
const KeyboardKey& GlyphKey(int number);
const KeyboardKey& EnglishKey(int number);

}  // namespace lumera
