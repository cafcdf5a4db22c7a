#pragma once

#include <QStringList>

namespace lumera::app {

// Sizes of the window's controls and fonts, in pixels. The window is at least
// kWindowWidth x kWindowHeight; there every control stands at its designed place.
inline constexpr int kWindowWidth = 748;
inline constexpr int kWindowHeight = 516;
// The bar between the section table and the lower part, dragged to share the height.
inline constexpr int kSplitBarHeight = 4;
inline constexpr int kWindowFontPixelSize = 11;
inline constexpr int kTitlePixelSize = 32;
inline constexpr int kSwitchPixelSize = 13;
inline constexpr int kCommandPictureSize = 14;
inline constexpr int kStatusLabelWidth = 80;
inline constexpr int kCycleTextPixelSize = 10;

// Section rows inside DataScrollBox.
inline constexpr int kRowTop = 8;
inline constexpr int kRowPitch = 26;
inline constexpr int kEditHeight = 23;
inline constexpr int kEditGlyphPixelSize = 15;
inline constexpr int kRowNumberWidth = 20;

// The keyboards: 33-pixel keys on a 40-pixel pitch, 8 to a row.
inline constexpr int kKeyColumns = 8;
inline constexpr int kKeyPitch = 40;
inline constexpr int kKeySize = 33;
inline constexpr int kKeyMargin = 4;
inline constexpr int kKeyGlyphPixelSize = 25;

// Room left for the vertical scroll bar of a scroll box.
inline constexpr int kScrollBarAllowance = 18;

// A narrow face keeps the note texts inside their boxes.
inline QStringList WindowFontFamilies() {
    return {QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
}

// The glyph font draws the display's glyph codes; double-byte characters fall back to a
// CJK face.
inline QStringList GlyphFontFamilies() {
    return {QStringLiteral("qfn"), QStringLiteral("WenQuanYi Zen Hei")};
}

}  // namespace lumera::app
