#pragma once

namespace lumera {

constexpr int kSectionRows = 32;
constexpr int kOpenOptionCount = 9;
constexpr int kCloseOptionCount = 7;
// MaxLength of a section edit: bytes in English mode, width units in Chinese mode.
constexpr int kEnglishMaxLength = 18;
constexpr int kChineseMaxLength = 24;
// A section record's length byte counts its display columns: no section can show more.
constexpr int kMostSectionColumns = 255;

}  // namespace lumera
