// The code page 936 tables built into the programs against the C library's converter they
// are generated from: every single byte and every double-byte pair, both ways.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

#include "editing/code_page_936.h"

namespace lumera {
namespace {

// The C library's reading of `bytes`; nullopt when it refuses them.
std::optional<std::u16string> ConverterReading(iconv_t cd, const std::string& bytes) {
    char16_t out[4] = {};
    char* in = const_cast<char*>(bytes.data());
    char* at = reinterpret_cast<char*>(out);
    std::size_t inLeft = bytes.size(), outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    return std::u16string(out, (sizeof out - outLeft) / sizeof(char16_t));
}

TEST(CodePage936, EveryCharacterReadsAndWritesAsTheCLibrarySays) {
    const iconv_t cd = iconv_open("UTF-16LE", "CP936");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::vector<std::string> wrong;
    const auto check = [&](const std::string& bytes) {
        const std::optional<std::u16string> expected = ConverterReading(cd, bytes);
        const std::u16string read = CodePage936ToUtf16(bytes);
        const bool oneCharacter = expected && expected->size() == 1;
        if (oneCharacter ? read != *expected : read.size() == 1 && bytes.size() == 2) {
            wrong.push_back("read " + testing::PrintToString(bytes));
        } else if (oneCharacter) {
            // The way back may spell a character another way, but it reads the same.
            const std::optional<std::string> written = CodePage936FromUnit(read[0]);
            if (!written || ConverterReading(cd, *written) != expected) {
                wrong.push_back("wrote " + testing::PrintToString(bytes));
            }
        } else if (bytes.size() == 1 && read != u"\uFFFD") {
            wrong.push_back("read " + testing::PrintToString(bytes));
        }
    };
    for (int byte = 1; byte < 0x100; ++byte) {
        check(std::string(1, static_cast<char>(byte)));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            check({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    iconv_close(cd);
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong, first " << wrong.front();
}

}  // namespace
}  // namespace lumera
