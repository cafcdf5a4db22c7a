#include "download/record_cells.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <utility>

namespace lumera::download {
namespace {

constexpr std::size_t kEnglishCellBytes = 5;
constexpr std::size_t kChineseColumnBytes = 2;
constexpr std::size_t kWideCellColumns = 14;   // a double-byte character or a symbol
constexpr std::size_t kNarrowCellColumns = 9;  // a single-byte character and its blank column

// The byte sizes of the cells, in the order the data carries them.
using CellSizes = std::vector<std::size_t>;

// Splits Chinese column data into cells; empty when no split fits. Cost of the best split of
// the first i columns: 14-column cells not framed by blank columns, then cells; comparing
// the pairs keeps that order of preference.
CellSizes ChineseCellSizes(const std::vector<std::uint8_t>& data) {
    const std::size_t columns = data.size() / kChineseColumnBytes;
    const auto blank = [&](std::size_t column) {
        return data[kChineseColumnBytes * column] == 0 &&
               data[kChineseColumnBytes * column + 1] == 0;
    };
    using Cost = std::pair<std::size_t, std::size_t>;
    constexpr Cost kUnreachable{std::numeric_limits<std::size_t>::max(), 0};
    std::vector<Cost> best(columns + 1, kUnreachable);
    std::vector<std::size_t> lastWidth(columns + 1, 0);
    best[0] = {0, 0};
    for (std::size_t end = 1; end <= columns; ++end) {
        for (std::size_t width : {kWideCellColumns, kNarrowCellColumns}) {
            if (width > end || best[end - width] == kUnreachable) {
                continue;
            }
            const bool endsBlank = blank(end - 1);
            if (width == kNarrowCellColumns && !endsBlank) {
                continue;
            }
            const bool unframed = width == kWideCellColumns && !(blank(end - width) && endsBlank);
            const Cost cost{best[end - width].first + (unframed ? 1 : 0),
                            best[end - width].second + 1};
            if (cost < best[end]) {
                best[end] = cost;
                lastWidth[end] = width;
            }
        }
    }
    CellSizes sizes;
    if (best[columns] == kUnreachable) {
        return sizes;
    }
    for (std::size_t end = columns; end > 0; end -= lastWidth[end]) {
        sizes.push_back(lastWidth[end] * kChineseColumnBytes);
    }
    std::reverse(sizes.begin(), sizes.end());
    return sizes;
}

}  // namespace

std::vector<std::uint8_t> CellsInReadingOrder(const std::vector<std::uint8_t>& data,
                                              bool englishMode) {
    const CellSizes sizes = englishMode
                                ? CellSizes(data.size() / kEnglishCellBytes, kEnglishCellBytes)
                                : ChineseCellSizes(data);
    auto cellsEnd = data.begin();
    for (std::size_t size : sizes) {
        cellsEnd += static_cast<std::ptrdiff_t>(size);
    }
    std::vector<std::uint8_t> ordered;
    ordered.reserve(data.size());
    // The last cell first, back to the first; whatever follows the last cell stays last.
    auto end = cellsEnd;
    for (auto size = sizes.rbegin(); size != sizes.rend(); ++size) {
        const auto begin = end - static_cast<std::ptrdiff_t>(*size);
        ordered.insert(ordered.end(), begin, end);
        end = begin;
    }
    ordered.insert(ordered.end(), cellsEnd, data.end());
    return ordered;
}

}  // namespace lumera::download
