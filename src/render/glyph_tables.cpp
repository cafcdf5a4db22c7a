#include "render/glyph_tables.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "editing/file_bytes.h"

namespace lumera {
namespace {

constexpr long kEnglishHeaderBytes = 4;
constexpr long kEnglishRecordBytes = 10;
constexpr int kFirstEnglishRecord = 32;
constexpr int kEnglishColumns = 5;

constexpr long kHalfWidthHeaderBytes = 4;
constexpr long kHalfWidthRecordBytes = 32;
constexpr int kFirstHalfWidthCode = 0x20;
constexpr int kHalfWidthBytes = 16;

constexpr long kSymbolHeaderBytes = 4;
constexpr long kSymbolRecordBytes = 64;
constexpr int kSymbolBytes = 32;

constexpr long kWideHeaderBytes = 140;
constexpr long kWideRecordBytes = 24;

// Reads up to `wanted` bytes at `offset`; fewer only where the file ends (or fails).
std::size_t ReadAt(int fd, long offset, std::uint8_t* into, std::size_t wanted) {
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t part = ::pread(fd, into + got, wanted - got, offset + static_cast<long>(got));
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part <= 0) {
            break;
        }
        got += static_cast<std::size_t>(part);
    }
    return got;
}

// Reads `unitCount` units of `unitBytes` bytes (little-endian; only the low byte counts)
// at `offset`, storing transform(low byte) of unit n into cell.data[n]. A unit the file
// does not fully hold is stored as 0.
template <typename Transform>
bool ReadRecord(const GlyphTableFiles& tables, const char* fileName, long offset, int unitBytes,
                int unitCount, GlyphCell& cell, Transform transform) {
    const std::filesystem::path path = tables.directory / fileName;
    // Only a record is read, so a table of any size will do; a folder, FIFO or device of
    // that name holds no records and is as good as missing.
    const OpenedFile opened = OpenRegularFile(path, std::nullopt);
    if (opened.file.get() < 0) {
        tables.prompter.Message("Open File " + path.string() + "Error!");
        return false;
    }
    std::uint8_t record[kSymbolRecordBytes] = {};
    const std::size_t wanted = static_cast<std::size_t>(unitBytes) * unitCount;
    const std::size_t got = offset >= 0 ? ReadAt(opened.file.get(), offset, record, wanted) : 0;
    const int wholeUnits = static_cast<int>(got / unitBytes);
    for (int n = 0; n < unitCount; ++n) {
        cell.data[n] = n < wholeUnits ? transform(record[n * unitBytes]) : 0;
    }
    return true;
}

// Rows 0-2 stay, bit 3 is dropped and rows 3-6 move down one place.
std::uint8_t EnglishPreviewColumn(std::uint8_t stored) {
    return (stored & 0x07) | ((stored >> 1) & 0x78);
}

std::uint8_t Complement(std::uint8_t stored) {
    return static_cast<std::uint8_t>(~stored);
}

std::uint8_t Unchanged(std::uint8_t stored) {
    return stored;
}

}  // namespace

bool ReadEnglishGlyph(int record, GlyphCell& cell, bool deviceForm, const GlyphTableFiles& tables) {
    const long offset = kEnglishHeaderBytes +
                        kEnglishRecordBytes * (static_cast<long>(record) - kFirstEnglishRecord);
    return ReadRecord(tables, kEnglishTableName, offset, 2, kEnglishColumns, cell,
                      deviceForm ? Unchanged : EnglishPreviewColumn);
}

bool ReadHalfWidthGlyph(int code, GlyphCell& cell, const GlyphTableFiles& tables) {
    const long offset = kHalfWidthHeaderBytes +
                        kHalfWidthRecordBytes * (static_cast<long>(code) - kFirstHalfWidthCode);
    return ReadRecord(tables, kHalfWidthTableName, offset, 2, kHalfWidthBytes, cell, Complement);
}

bool ReadSymbolGlyph(int index, GlyphCell& cell, const GlyphTableFiles& tables) {
    const long offset = kSymbolHeaderBytes + kSymbolRecordBytes * static_cast<long>(index);
    return ReadRecord(tables, kSymbolTableName, offset, 2, kSymbolBytes, cell, Complement);
}

bool ReadWideGlyph(char16_t unit, GlyphCell& cell, const GlyphTableFiles& tables) {
    const long offset = kWideHeaderBytes + kWideRecordBytes * static_cast<long>(unit);
    return ReadRecord(tables, kWideTableName, offset, 1, static_cast<int>(kWideRecordBytes), cell,
                      Unchanged);
}

}  // namespace lumera
