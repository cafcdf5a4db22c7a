#include "files/led_parser.h"

#include <cstddef>

#include "editing/byte_classes.h"
#include "editing/effects.h"
#include "editing/table_limits.h"

namespace lumera {

namespace {

constexpr std::string_view kRowMarker = "Row:";
constexpr std::string_view kModeMarker = "Eng:";
constexpr std::size_t kCountWidth = 2;
constexpr std::size_t kLengthWidth = 2;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A field of at most two characters: an optional minus sign, then digits only.
std::optional<int> DecimalValue(std::string_view field) {
    const bool negative = !field.empty() && field.front() == '-';
    const std::string_view digits = negative ? field.substr(1) : field;
    if (digits.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// Shown to the operator, so bytes that are no printable ASCII are written as \xHH.
std::string Quoted(std::string_view field) {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsPrintable(byte)) {
            quoted += c;
        } else {
            quoted += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        }
    }
    return quoted + "\"";
}

std::string LineLabel(std::size_t lineIndex) {
    return "line " + std::to_string(lineIndex + 1) + ": ";
}

// The field that follows a marker, cut to `width` characters or the end of the line.
std::string_view FieldAfter(std::string_view line, std::string_view marker, std::size_t width) {
    return line.substr(line.find(marker) + marker.size(), width);
}

struct Header {
    int count = 0;
    bool englishMode = true;
};

std::optional<std::string> ParseHeader(std::string_view line, Header& header) {
    const std::string label = LineLabel(0);
    for (std::string_view marker : {kRowMarker, kModeMarker}) {
        if (line.find(marker) == std::string_view::npos) {
            return label + "the header has no " + Quoted(marker) + " marker";
        }
    }
    const std::string_view countField = FieldAfter(line, kRowMarker, kCountWidth);
    const std::optional<int> count = DecimalValue(countField);
    if (!count) {
        return label + "section count " + Quoted(countField) + " is not a decimal number";
    }
    if (*count < 0) {
        return label + "section count " + std::to_string(*count) + " is negative";
    }
    if (*count > kSectionRows) {
        return label + "section count " + std::to_string(*count) + " is above " +
               std::to_string(kSectionRows);
    }
    const std::string_view modeField = FieldAfter(line, kModeMarker, 1);
    const std::optional<int> mode = DecimalValue(modeField);
    if (!mode) {
        return label + "mode " + Quoted(modeField) + " is not a decimal digit";
    }
    header.count = *count;
    header.englishMode = *mode != 0;
    return std::nullopt;
}

// One option digit of a section line; a digit past the effect list is refused.
template <typename Effect>
std::optional<std::string> ParseOption(std::string_view field, std::string_view name,
                                       std::optional<Effect> (*fromNumber)(int), int last,
                                       const std::string& label, Effect& effect) {
    const std::optional<int> value = DecimalValue(field);
    if (!value) {
        return label + std::string(name) + " option " + Quoted(field) + " is not a decimal digit";
    }
    const std::optional<Effect> known = fromNumber(*value);
    if (!known) {
        return label + std::string(name) + " option " + std::to_string(*value) + " is above " +
               std::to_string(last);
    }
    effect = *known;
    return std::nullopt;
}

std::optional<std::string> ParseSection(std::string_view line, std::size_t lineIndex,
                                        LedSection& section) {
    const std::string label = LineLabel(lineIndex);
    const std::string_view lengthField = line.substr(0, kLengthWidth);
    const std::optional<int> length = DecimalValue(lengthField);
    if (!length) {
        return label + "text length " + Quoted(lengthField) + " is not a decimal number";
    }
    if (*length < 0) {
        return label + "text length " + std::to_string(*length) + " is negative";
    }
    const std::size_t textLength = static_cast<std::size_t>(*length);
    // The text is followed by one character for each option.
    if (line.size() < kLengthWidth + textLength + 2) {
        return label + "the line is shorter than its text length " + std::to_string(textLength) +
               " and two option digits need";
    }
    section.text = std::string(line.substr(kLengthWidth, textLength));
    const std::size_t openAt = kLengthWidth + textLength;
    if (auto failure = ParseOption(line.substr(openAt, 1), "open", OpenEffectFromNumber,
                                   kOpenOptionCount - 1, label, section.openOption)) {
        return failure;
    }
    return ParseOption(line.substr(openAt + 1, 1), "close", CloseEffectFromNumber,
                       kCloseOptionCount - 1, label, section.closeOption);
}

}  // namespace

std::vector<std::string_view> SplitLedLines(std::string_view plain) {
    plain = plain.substr(0, plain.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < plain.size()) {
        const std::size_t end = plain.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(plain.substr(start));
            break;
        }
        lines.push_back(plain.substr(start, end - start));
        const bool crLf = plain[end] == '\r' && end + 1 < plain.size() && plain[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

LedParseResult ParseLedText(std::string_view plain) {
    const std::vector<std::string_view> lines = SplitLedLines(plain);
    if (lines.empty()) {
        return {std::nullopt, "the file holds no line"};
    }
    Header header;
    if (auto failure = ParseHeader(lines[0], header)) {
        return {std::nullopt, *failure};
    }
    LedFileContent content;
    content.englishMode = header.englishMode;
    const std::size_t count = static_cast<std::size_t>(header.count);
    if (lines.size() - 1 < count) {
        return {std::nullopt, LineLabel(lines.size()) + "missing: the header counts " +
                                  std::to_string(count) + " sections, the file has " +
                                  std::to_string(lines.size() - 1) + " section lines"};
    }
    content.sections.resize(count);
    for (std::size_t n = 0; n < count; ++n) {
        if (auto failure = ParseSection(lines[n + 1], n + 1, content.sections[n])) {
            return {std::nullopt, *failure};
        }
    }
    return {std::move(content), {}};
}

}  // namespace lumera
