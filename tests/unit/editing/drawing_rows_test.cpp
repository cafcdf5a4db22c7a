#include "editing/drawing_rows.h"

#include <gtest/gtest.h>

namespace lumera {
namespace {

TEST(DrawingRows, RowsOfDotsReadBackAsWrittenAndBadOnesNameWhere) {
    const std::string widest(kMostSectionColumns, '#');
    const struct {
        const char* what;
        std::vector<std::string> text;
        int rows;
        std::string refusal;  // the start of the reason, empty when read
    } cases[] = {
        {"all rows", {"#.", ".#", "##", "..", "#.", ".#", "##", ".#"}, 8, ""},
        {"missing bottom rows stay dark", {"#.#"}, 16, ""},
        {"the widest", {widest}, 8, ""},
        {"one row too many", std::vector<std::string>(9, "#"), 8, "row 9: "},
        {"one column too many", {widest + "."}, 8, "row 1: 256 columns"},
        {"rows of two lengths", {"##", "#"}, 8, "row 2: 1 columns, row 1 has 2"},
        {"a stray character", {"#.", "#x"}, 8, "row 2, column 2: 'x'"},
        {"nothing", {}, 8, "no rows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto parsed = ParseDrawingRows(c.text, c.rows);
        if (!c.refusal.empty()) {
            ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
            EXPECT_EQ(std::get<std::string>(parsed).rfind(c.refusal, 0), 0u)
                << std::get<std::string>(parsed);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Drawing>(parsed)) << std::get<std::string>(parsed);
        std::vector<std::string> expected = c.text;
        expected.resize(static_cast<std::size_t>(c.rows),
                        std::string(c.text.front().size(), kDarkDot));
        EXPECT_EQ(DrawingRowsText(std::get<Drawing>(parsed), c.rows), expected);
    }
}

}  // namespace
}  // namespace lumera
