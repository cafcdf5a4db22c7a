#include "app/sections/section_text.h"

#include <QList>

#include "editing/byte_classes.h"
#include "editing/code_page_936.h"

namespace lumera::app {
namespace {

constexpr char16_t kGlyphBase = 0xE000;    // glyph code b shows as U+E000 + b
constexpr char16_t kRawByteBase = 0xE100;  // a byte that is no character shows as U+E100 + b

bool IsGlyphUnit(char16_t unit) {
    return unit >= kGlyphBase + kFirstGlyphCode && unit <= kGlyphBase + kLastGlyphCode;
}

bool IsRawByteUnit(char16_t unit) {
    return unit >= kRawByteBase && unit <= kRawByteBase + 0xFF;
}

// The Unicode character of a double-byte pair, when it maps there and back unchanged and does
// not collide with the glyph or raw-byte units above.
std::optional<char16_t> PairCharacter(std::string_view pair) {
    const std::u16string units = CodePage936ToUtf16(pair);
    if (units.size() != 1 || units[0] == 0xFFFD || IsGlyphUnit(units[0]) ||
        IsRawByteUnit(units[0])) {
        return std::nullopt;
    }
    const auto back = CodePage936FromUnit(units[0]);
    if (!back || *back != pair) {
        return std::nullopt;
    }
    return units[0];
}

}  // namespace

SectionDisplay ShowSectionBytes(std::string_view bytes) {
    SectionDisplay display;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsPrintable(byte)) {
            display.text += QChar(char16_t(byte));
        } else if (IsGlyphCode(byte)) {
            display.text += QChar(char16_t(kGlyphBase + byte));
        } else if (IsDoubleByteLead(byte) && i + 1 < bytes.size()) {
            if (const auto unit = PairCharacter(bytes.substr(i, 2))) {
                display.text += QChar(*unit);
                display.byteLengths.push_back(2);
                ++i;
                continue;
            }
            display.text += QChar(char16_t(kRawByteBase + byte));
        } else {
            display.text += QChar(char16_t(kRawByteBase + byte));
        }
        display.byteLengths.push_back(1);
    }
    return display;
}

std::optional<std::string> StoreDisplayText(const QString& text) {
    std::string bytes;
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (IsGlyphUnit(unit)) {
            bytes += static_cast<char>(unit - kGlyphBase);
        } else if (IsRawByteUnit(unit)) {
            bytes += static_cast<char>(unit - kRawByteBase);
        } else if (unit < kFirstAbovePlainAscii && IsPrintable(static_cast<unsigned char>(unit))) {
            bytes += static_cast<char>(unit);
        } else if (unit < kFirstAbovePlainAscii || character.isSurrogate()) {
            return std::nullopt;
        } else if (const auto stored = CodePage936FromUnit(unit)) {
            bytes += *stored;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

QString NameUnstorable(const QString& text) {
    const QList<uint> points = text.toUcs4();
    for (const uint point : points) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&point), 1);
        if (!StoreDisplayText(character)) {
            const QString code =
                QStringLiteral("%1").arg(static_cast<uint>(point), 4, 16, QLatin1Char('0'));
            return QStringLiteral("\u201C%1\u201D (U+%2)").arg(character, code.toUpper());
        }
    }
    return {};
}

std::size_t ByteOffsetOfIndex(const std::vector<std::size_t>& byteLengths, int index) {
    std::size_t offset = 0;
    for (int k = 0; k < index && k < static_cast<int>(byteLengths.size()); ++k) {
        offset += byteLengths[k];
    }
    return offset;
}

int IndexOfByteOffset(const std::vector<std::size_t>& byteLengths, std::size_t offset) {
    std::size_t reached = 0;
    int index = 0;
    for (const std::size_t length : byteLengths) {
        if (reached + length > offset) {
            break;
        }
        reached += length;
        ++index;
    }
    return index;
}

}  // namespace lumera::app
