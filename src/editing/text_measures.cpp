#include "text_measures.h"

namespace lumera {

int DisplayUnits(std::string_view text) {
    int units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsDoubleByteLead(byte)) {
            units += 2;
            ++i;
        } else {
            units += IsWideGlyph(byte) ? 2 : 1;
        }
    }
    return units;
}

int TextByteLength(std::string_view text) {
    return static_cast<int>(text.size());
}

int NarrowCharacterCount(std::string_view text) {
    int narrow = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsDoubleByteLead(byte)) {
            ++i;
        } else if (!IsWideGlyph(byte)) {
            ++narrow;
        }
    }
    return narrow;
}

bool IsShowable(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

}  // namespace lumera
