#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_run.h"
#include "table_pictures.h"
#include "temp_directory.h"

namespace lumera::glyphgen::test {
namespace {

namespace fs = std::filesystem;

const char* const kOutputs[] = {"window_zr1.bin", "window_zr2.bin", "window_zr3.bin",
                                "window_zr4.bin", "qfn.ttx",        "qfn.ttf"};

class GeneratorRun : public ::testing::Test {
protected:
    // Runs the generator, then the font compiler, into root_/name; returns the
    // generator's exit status.
    int Generate(const std::string& name, const fs::path& art = LUMERA_GLYPH_ART_DIR) {
        const fs::path out = root_ / name;
        const int status = lumera::testing::RunProgram(
                               LUMERA_GLYPHGEN,
                               {"--out-dir", out.string(), "--font-xml", (out / "qfn.ttx").string(),
                                "--assets", art.string(), "--font-5x7", LUMERA_FONT_5X7,
                                "--font-8x16", LUMERA_FONT_8X16, "--font-cjk12", LUMERA_FONT_CJK12},
                               root_)
                               .exitCode;
        if (status == 0) {
            EXPECT_EQ(lumera::testing::RunProgram(
                          LUMERA_TTX,
                          {"-q", "--no-recalc-timestamp", "-o", (out / "qfn.ttf").string(),
                           (out / "qfn.ttx").string()},
                          root_)
                          .exitCode,
                      0);
        }
        return status;
    }

    lumera::testing::TempDirectory folder_{"glyphgen"};
    const fs::path root_ = folder_.path();
};

TEST_F(GeneratorRun, SameInputsGiveTheSameBytes) {
    ASSERT_EQ(Generate("first"), 0);
    ASSERT_EQ(Generate("second"), 0);
    for (const char* name : kOutputs) {
        const Bytes first = lumera::testing::ReadBytes<Bytes>(root_ / "first" / name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_EQ(first, lumera::testing::ReadBytes<Bytes>(root_ / "second" / name)) << name;
    }
}

// Art that the display cannot show, or that leaves a code without a glyph, stops
// the build instead of producing tables.
TEST_F(GeneratorRun, RefusesFaultyArt) {
    struct Case {
        const char* what;
        const char* file;
        std::string from, to;
    };
    const Case cases[] = {
        {"symbol lit in column 0", "wide_symbols.txt", "glyph 0x01 heart\n................\n",
         "glyph 0x01 heart\n#...............\n"},
        {"short row", "english_icons.txt", "glyph 0x12 heart\n.#.#.\n", "glyph 0x12 heart\n.#.#\n"},
        {"stray character", "english_icons.txt", "glyph 0x12 heart\n.#.#.\n",
         "glyph 0x12 heart\n.#x#.\n"},
        {"code drawn twice", "english_icons.txt", "glyph 0x13 note", "glyph 0x12 note"},
        {"symbol moved to a code without one", "wide_symbols.txt", "glyph 0x11 clock",
         "glyph 0x09 clock"},
    };
    for (const Case& test : cases) {
        const fs::path art = root_ / "art";
        fs::remove_all(art);
        fs::copy(LUMERA_GLYPH_ART_DIR, art);
        const fs::path file = art / test.file;
        std::string text = lumera::testing::ReadBytes(file);
        const std::size_t at = text.find(test.from);
        ASSERT_NE(at, std::string::npos) << test.what;
        text.replace(at, test.from.size(), test.to);
        lumera::testing::WriteBytes(file, text);

        EXPECT_NE(Generate(test.what, art), 0) << test.what;
        EXPECT_FALSE(fs::exists(root_ / test.what / "window_zr1.bin")) << test.what;
    }
}

}  // namespace
}  // namespace lumera::glyphgen::test
