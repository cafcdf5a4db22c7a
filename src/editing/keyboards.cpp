#include "editing/keyboards.h"

#include <array>
#include <stdexcept>

#include "editing/byte_classes.h"

namespace lumera {
namespace {

// A run of keys whose codes follow each other.
struct KeyRun {
    int firstKey;
    int lastKey;
    unsigned char firstCode;
};

// 0x09, 0x0A and 0x0D have no key: an edit would take them as tab and line ends.
constexpr std::array<KeyRun, 5> kGlyphRuns{{
    {1, 8, 0x01},
    {9, 9, 0x0B},
    {10, 10, 0x0C},
    {11, 14, 0x0E},
    {15, kGlyphKeyCount, kFirstPrintable},
}};

constexpr std::array<KeyRun, 2> kEnglishRuns{{
    {1, 10, kFirstEnglishGlyph},
    {11, kEnglishKeyCount, kFirstPrintable},
}};

constexpr unsigned char kAmpersand = '&';

template <std::size_t N>
std::vector<KeyboardKey> buildKeys(const char* prefix, const std::array<KeyRun, N>& runs) {
    std::vector<KeyboardKey> keys;
    for (const KeyRun& run : runs) {
        for (int number = run.firstKey; number <= run.lastKey; ++number) {
            const auto code = static_cast<unsigned char>(run.firstCode + (number - run.firstKey));
            const std::string caption =
                code == kAmpersand ? std::string("&&") : std::string(1, static_cast<char>(code));
            keys.push_back({prefix + std::to_string(number), kKeyTagBase + number, code, caption});
        }
    }
    return keys;
}

const KeyboardKey& keyAt(const std::vector<KeyboardKey>& keys, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > keys.size()) {
        throw std::out_of_range("no key " + std::to_string(number) + " on this keyboard");
    }
    return keys[number - 1];
}

}  // namespace

const std::vector<KeyboardKey>& GlyphKeys() {
    static const std::vector<KeyboardKey> keys = buildKeys("CNBtn", kGlyphRuns);
    return keys;
}

const std::vector<KeyboardKey>& EnglishKeys() {
    static const std::vector<KeyboardKey> keys = buildKeys("EngBtn", kEnglishRuns);
    return keys;
}

const KeyboardKey& GlyphKey(int number) {
    return keyAt(GlyphKeys(), number);
}

const KeyboardKey& EnglishKey(int number) {
    return keyAt(EnglishKeys(), number);
}

}  // namespace lumera
