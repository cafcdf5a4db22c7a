#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/message_table.h"
#include "outside/glyph_cell.h"

namespace lumera::download {

// Turns one section text into its cells in the device form, in text order, replacing what
// glyphs held.
using SectionRasteriser = std::function<void(std::string_view text, Glyphs& glyphs)>;

// Appends the 0-based index of every section in use (below SectionCount) whose text is
// showable or that holds a drawing, in ascending order; returns how many were appended.
int CollectSendSections(const MessageTable& table, std::vector<std::uint8_t>& sections);

// The display columns of a section's cells: English 5 per symbol or character; Chinese 14
// per double-byte character or symbol and 9 per single-byte character. Unwrapped.
int SectionColumnTotal(const Glyphs& glyphs, bool englishMode);
// The same as the length byte carries it (modulo 256).
std::uint8_t SectionColumnCount(const Glyphs& glyphs, bool englishMode);

// High nibble: the opening effect's number + 1; low nibble: the closing effect's number + 1.
std::uint8_t EffectByte(OpenEffect open, CloseEffect close);
// The effects an effect byte names; none for a nibble of 0 (no selection) or past the list.
std::optional<OpenEffect> OpeningOf(std::uint8_t effectByte);
std::optional<CloseEffect> ClosingOf(std::uint8_t effectByte);

// The bytes a cell adds to its section's column data: data[4..count-1] of a 32-byte cell;
// otherwise data[0..count-1], followed in Chinese mode by two blank bytes.
void AppendCellColumns(const GlyphCell& cell, bool englishMode, std::vector<std::uint8_t>& image);

// Appends one section record: length byte, effect byte, the cells last to first. Refuses a
// section wider than the length byte can say, returning the operator's message and leaving
// the image as it was.
std::optional<std::string> AppendSectionRecord(int sectionNumber, const Glyphs& glyphs,
                                               bool englishMode, std::uint8_t effect,
                                               std::vector<std::uint8_t>& image);

// Column data with its columns in the other order, each column's bytes as they stand (one
// byte a column in English mode, two in Chinese mode); bytes short of a whole column stay
// last. The display shows a record from its last column to its first.
std::vector<std::uint8_t> ColumnsReversed(const std::vector<std::uint8_t>& data, bool englishMode);

// A drawing's record: its column count, the effect byte, then its columns last first (the
// display shows a record from its last column), each in the bit layout of the text cells.
void AppendDrawingRecord(const Drawing& drawing, bool englishMode, std::uint8_t effect,
                         std::vector<std::uint8_t>& image);

// The whole image of the listed sections into sendData (emptied first). On a refusal
// returns its message and leaves sendData empty, so no part of a bad image can be sent.
std::optional<std::string> BuildDownloadImage(const MessageTable& table,
                                              const std::vector<std::uint8_t>& sections,
                                              const SectionRasteriser& rasterise,
                                              std::vector<std::uint8_t>& sendData);

}  // namespace lumera::download
