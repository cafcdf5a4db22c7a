#include "download/download_image.h"

#include <algorithm>

#include "editing/text_measures.h"
#include "outside/device_columns.h"

namespace lumera::download {

namespace {

constexpr std::size_t kEnglishColumnBytes = 1;
constexpr std::size_t kChineseColumnBytes = 2;
constexpr int kEnglishCharacterColumns = 5;
constexpr int kChineseWideColumns = 14;
constexpr int kChineseNarrowColumns = 9;  // 8 dot columns and one blank
constexpr std::size_t kLargestSmallCell = 24;
constexpr std::size_t kUnsentCellBytes = 4;
constexpr std::uint8_t kChineseHeaderMarker = 0x80;
constexpr int kOpenNibbleShift = 4;
constexpr std::uint8_t kCloseNibbleMask = 0x0F;

std::string tooWideText(int sectionNumber, int columns) {
    return "Section " + std::to_string(sectionNumber) +
           " is too wide to send: " + std::to_string(columns) +
           " columns, the display takes at most " + std::to_string(kMostSectionColumns) +
           ". Nothing was sent.";
}

}  // namespace

int CollectSendSections(const MessageTable& table, std::vector<std::uint8_t>& sections) {
    int appended = 0;
    const int inUse = std::min(table.SectionCount(), kSectionRows);
    for (int index = 0; index < inUse; ++index) {
        const Section& section = table.section(index);
        if (IsShowable(section.text) || section.HoldsDrawing()) {
            sections.push_back(static_cast<std::uint8_t>(index));
            ++appended;
        }
    }
    return appended;
}

int SectionColumnTotal(const Glyphs& glyphs, bool englishMode) {
    int columns = 0;
    for (const GlyphCell& cell : glyphs) {
        if (englishMode) {
            if (cell.kind == kSymbolGlyph || cell.kind == kSingleByteGlyph) {
                columns += kEnglishCharacterColumns;
            }
        } else if (cell.kind == kDoubleByteGlyph || cell.kind == kSymbolGlyph) {
            columns += kChineseWideColumns;
        } else if (cell.kind == kSingleByteGlyph) {
            columns += kChineseNarrowColumns;
        }
    }
    return columns;
}

std::uint8_t SectionColumnCount(const Glyphs& glyphs, bool englishMode) {
    return static_cast<std::uint8_t>(SectionColumnTotal(glyphs, englishMode));
}

std::uint8_t EffectByte(OpenEffect open, CloseEffect close) {
    return static_cast<std::uint8_t>(((EffectNumber(open) + 1) << kOpenNibbleShift) +
                                     (EffectNumber(close) + 1));
}

std::optional<OpenEffect> OpeningOf(std::uint8_t effectByte) {
    return OpenEffectFromNumber((effectByte >> kOpenNibbleShift) - 1);
}

std::optional<CloseEffect> ClosingOf(std::uint8_t effectByte) {
    return CloseEffectFromNumber((effectByte & kCloseNibbleMask) - 1);
}

void AppendCellColumns(const GlyphCell& cell, bool englishMode, std::vector<std::uint8_t>& image) {
    // A malformed count must not read past the cell.
    const std::size_t count = std::min<std::size_t>(cell.count, sizeof cell.data);
    if (count > kLargestSmallCell) {
        image.insert(image.end(), cell.data + kUnsentCellBytes, cell.data + count);
        return;
    }
    image.insert(image.end(), cell.data, cell.data + count);
    if (!englishMode && count > 0) {
        image.insert(image.end(), 2, 0x00);
    }
}

std::optional<std::string> AppendSectionRecord(int sectionNumber, const Glyphs& glyphs,
                                               bool englishMode, std::uint8_t effect,
                                               std::vector<std::uint8_t>& image) {
    const int columns = SectionColumnTotal(glyphs, englishMode);
    if (columns > kMostSectionColumns) {
        return tooWideText(sectionNumber, columns);
    }
    image.push_back(SectionColumnCount(glyphs, englishMode));
    image.push_back(effect);
    for (auto cell = glyphs.rbegin(); cell != glyphs.rend(); ++cell) {
        AppendCellColumns(*cell, englishMode, image);
    }
    return std::nullopt;
}

std::vector<std::uint8_t> ColumnsReversed(const std::vector<std::uint8_t>& data, bool englishMode) {
    const std::size_t columnBytes = englishMode ? kEnglishColumnBytes : kChineseColumnBytes;
    const std::size_t whole = data.size() / columnBytes * columnBytes;
    std::vector<std::uint8_t> reversed;
    reversed.reserve(data.size());
    for (std::size_t end = whole; end > 0; end -= columnBytes) {
        reversed.insert(reversed.end(),
                        data.begin() + static_cast<std::ptrdiff_t>(end - columnBytes),
                        data.begin() + static_cast<std::ptrdiff_t>(end));
    }
    reversed.insert(reversed.end(), data.begin() + static_cast<std::ptrdiff_t>(whole), data.end());
    return reversed;
}

void AppendDrawingRecord(const Drawing& drawing, bool englishMode, std::uint8_t effect,
                         std::vector<std::uint8_t>& image) {
    image.push_back(static_cast<std::uint8_t>(drawing.columns.size()));
    image.push_back(effect);
    const std::vector<std::uint8_t> columns =
        ColumnsReversed(DrawingColumnBytes(drawing.columns, englishMode), englishMode);
    image.insert(image.end(), columns.begin(), columns.end());
}

std::optional<std::string> BuildDownloadImage(const MessageTable& table,
                                              const std::vector<std::uint8_t>& sections,
                                              const SectionRasteriser& rasterise,
                                              std::vector<std::uint8_t>& sendData) {
    sendData.clear();
    const bool englishMode = table.EnglishMode();
    const auto count = static_cast<std::uint8_t>(sections.size());
    if (englishMode) {
        sendData.push_back(count);
    } else {
        sendData.push_back(0x00);
        sendData.push_back(kChineseHeaderMarker | count);
    }
    Glyphs glyphs;
    for (const std::uint8_t index : sections) {
        const Section& section = table.section(index);
        const std::uint8_t effect = EffectByte(section.openOption, section.closeOption);
        if (section.HoldsDrawing()) {
            AppendDrawingRecord(section.drawing, englishMode, effect, sendData);
            continue;
        }
        rasterise(section.text, glyphs);
        const auto refusal = AppendSectionRecord(index + 1, glyphs, englishMode, effect, sendData);
        if (refusal) {
            sendData.clear();
            return refusal;
        }
    }
    return std::nullopt;
}

}  // namespace lumera::download
