#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumera::app {

// A section's bytes as its edit shows them. Glyph codes 0x01..0x1B appear as U+E001..U+E01B
// (drawn by the glyph font), double-byte characters as their Unicode character, printable
// ASCII as itself; any other byte (0x00, 0x1C..0x1F, 0x7F..0xFF on its own) appears as
// U+E100 + byte, so that every byte string comes back unchanged from its display.
struct SectionDisplay {
    QString text;
    std::vector<std::size_t> byteLengths;  // bytes behind each QChar of `text`
};

SectionDisplay ShowSectionBytes(std::string_view bytes);

// The bytes behind an edited display text, or nullopt when some character cannot be stored
// in code page 936 (or is a control character). Never alters a character.
std::optional<std::string> StoreDisplayText(const QString& text);

// The first character of `text` that StoreDisplayText refuses, as "“é” (U+00E9)"; empty
// when there is none.
QString NameUnstorable(const QString& text);

// Caret positions between QString indices and byte offsets. An offset inside a double-byte
// character maps to the start of that character.
std::size_t ByteOffsetOfIndex(const std::vector<std::size_t>& byteLengths, int index);
int IndexOfByteOffset(const std::vector<std::size_t>& byteLengths, std::size_t offset);

}  // namespace lumera::app
