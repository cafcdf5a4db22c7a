#include "files/table_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

#include "editing/byte_classes.h"
#include "editing/code_page_936.h"
#include "editing/drawing_rows.h"
#include "editing/effects.h"
#include "editing/file_bytes.h"
#include "editing/table_limits.h"
#include "files/led_writer.h"

namespace lumera {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kFormatName = "lumera-table";
constexpr std::string_view kJsonSpace = " \t\r\n";
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned char kDelete = 0x7F;
constexpr std::size_t kShownLength = 40;

// The keys each version knows, in the order the writer puts them. A later version adds its
// keys here and a reader for each.
constexpr std::array<std::string_view, 4> kTableKeys = {"format", "version", "mode", "sections"};
constexpr std::array<std::string_view, 5> kSectionKeys = {"opening", "closing", "text", "bytes",
                                                          "drawing"};
constexpr std::array<std::string_view, 2> kDrawingKeys = {"source", "dots"};
constexpr std::array<std::string_view, 9> kSourceKeys = {
    "kind", "file", "threshold", "invert", "family", "bold", "italic", "spacing", "text"};
constexpr std::array<std::string_view, 3> kSourceKinds = {"hand", "picture", "font"};
constexpr int kMostPercent = 100;
constexpr int kMostSpacing = 64;

// Containers nested deeper than a drawing's source and dots are kept out of the parsed tree:
// nothing there is read, and a file of nested brackets would otherwise fill the memory.
constexpr int kDeepestKept = 4;
constexpr int kTableDepth = 1, kSectionsDepth = 2, kSectionKeyDepth = 3;

// Asked of every character read, so compared directly rather than looked up.
bool IsJsonSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The line of the last character the parser took that is not white space: the line of the
// token it has just read.
struct ReadPosition {
    int line = 1;
    int tokenLine = 1;
};

// Hands the text to the parser a character at a time, following the line as it goes.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, ReadPosition* position) : at_(at), position_(position) {}

    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        if (*at_ == '\n') {
            ++position_->line;
        } else if (!IsJsonSpace(*at_)) {
            position_->tokenLine = position_->line;
        }
        ++at_;
        return *this;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

private:
    const char* at_;
    ReadPosition* position_;
};

using KeyLines = std::map<std::string, int, std::less<>>;

// Where the parser met the parts the reader names: the table's keys, each element of
// "sections" and its keys. Also the first key an object holds twice, which the parsed tree
// would silently reduce to its last value.
struct Places {
    int table = 1;
    KeyLines tableKeys;
    std::vector<int> sections;
    std::vector<KeyLines> sectionKeys;
    std::optional<std::string> duplicate;
};

std::string LineLabel(int line) {
    return "line " + std::to_string(line) + ": ";
}

std::string SectionLabel(std::size_t index) {
    return "section " + std::to_string(index + 1) + ": ";
}

std::string Quoted(std::string_view text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A value as the file gives it, cut short when long: an error message is no place for a
// whole list.
std::string Shown(const Json& value) {
    const std::string shown = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    return shown.size() <= kShownLength ? shown : shown.substr(0, kShownLength) + "...";
}

// Follows the parser's events, keeping the lines of the parts Places names.
class PlaceRecorder {
public:
    PlaceRecorder(const ReadPosition& position, Places& places)
        : position_(position), places_(places) {}

    bool operator()(int depth, Json::parse_event_t event, Json& parsed) {
        const bool start =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (event == Json::parse_event_t::key) {
            Key(depth, parsed.get<std::string>());
        } else if (start || event == Json::parse_event_t::value) {
            Value(depth, event);
        }
        return !start || depth <= kDeepestKept;
    }

private:
    void Key(int depth, const std::string& key) {
        if (depth == kTableDepth) {
            inSections_ = false;
            tableKey_ = key;
            Note(places_.tableKeys, key, "");
        } else if (depth == kSectionKeyDepth && inSections_ && !places_.sectionKeys.empty()) {
            Note(places_.sectionKeys.back(), key, SectionLabel(places_.sectionKeys.size() - 1));
        }
    }

    void Value(int depth, Json::parse_event_t event) {
        if (depth == 0) {
            places_.table = position_.tokenLine;
        } else if (depth == kTableDepth) {
            inSections_ = tableKey_ == "sections" && event == Json::parse_event_t::array_start;
        } else if (depth == kSectionsDepth && inSections_) {
            places_.sections.push_back(position_.tokenLine);
            places_.sectionKeys.emplace_back();
        }
    }

    void Note(KeyLines& keys, const std::string& key, const std::string& where) {
        if (!keys.emplace(key, position_.tokenLine).second && !places_.duplicate) {
            places_.duplicate =
                LineLabel(position_.tokenLine) + where + "key " + Quoted(key) + " appears twice";
        }
    }

    const ReadPosition& position_;
    Places& places_;
    bool inSections_ = false;
    std::string tableKey_;
};

int LineAtByte(std::string_view text, std::size_t byte) {
    // The parser counts bytes from 1, the one it stopped at included.
    const std::string_view before = text.substr(0, byte > 0 ? byte - 1 : 0);
    return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
}

// The parser's own words without its exception's name and its position, which the line
// label replaces.
std::string ParserReason(const Json::exception& error) {
    std::string_view what = error.what();
    if (const std::size_t name = what.find("] "); name != std::string_view::npos) {
        what.remove_prefix(name + 2);
    }
    if (what.starts_with("parse error") && what.find(": ") != std::string_view::npos) {
        what.remove_prefix(what.find(": ") + 2);
    }
    return std::string(what);
}

std::optional<int> HexValue(char c) {
    const auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t at = std::string_view(kHexDigits).find(upper);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<int>(at);
}

// "01 B0 A1": two hex digits a byte, one space between bytes. Puts the first piece that is
// no hex byte in `bad`.
std::optional<std::string> BytesOfHex(std::string_view hex, std::string& bad) {
    std::string bytes;
    if (hex.empty()) {
        return bytes;
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(hex.find(' ', start), hex.size());
        const std::string_view piece = hex.substr(start, end - start);
        const auto high = piece.size() == 2 ? HexValue(piece[0]) : std::nullopt;
        const auto low = piece.size() == 2 ? HexValue(piece[1]) : std::nullopt;
        if (!high || !low) {
            bad = std::string(piece);
            return std::nullopt;
        }
        bytes += static_cast<char>(*high * 16 + *low);
        if (end == hex.size()) {
            return bytes;
        }
        start = end + 1;
    }
}

std::string HexOfBytes(std::string_view bytes) {
    std::string hex;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex +=
            (hex.empty() ? "" : " ") + std::string{kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    }
    return hex;
}

// Glyph codes, tab, line ends and the rest would read as escapes or not at all.
bool HoldsControlByte(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < kFirstPrintable || byte == kDelete;
    });
}

bool StoredAsText(std::string_view bytes) {
    return !HoldsControlByte(bytes) && Utf8ToCodePage936(CodePage936ToUtf8(bytes)) == bytes;
}

// Checks a parsed table file against what the reader knows, part by part, and builds the
// content. Each check returns the error of its part, or nullopt.
class TableReader {
public:
    TableReader(const Json& table, const Places& places) : table_(table), places_(places) {}

    LedParseResult Read() {
        if (auto failure = ReadTable()) {
            return {std::nullopt, *failure};
        }
        return {std::move(content_), {}};
    }

private:
    std::optional<std::string> ReadTable() {
        if (!table_.is_object()) {
            return LineLabel(places_.table) + "the file holds no JSON object";
        }
        if (auto failure = ReadFormat()) {
            return failure;
        }
        if (auto failure = UnknownKey(places_.tableKeys, kTableKeys, "")) {
            return failure;
        }
        if (auto failure = ReadMode()) {
            return failure;
        }
        return ReadSections();
    }

    int TableKeyLine(std::string_view key) const {
        const auto found = places_.tableKeys.find(key);
        return found == places_.tableKeys.end() ? places_.table : found->second;
    }

    std::optional<std::string> Missing(std::string_view key) const {
        return LineLabel(places_.table) + "key " + Quoted(key) + " is missing";
    }

    // "format" and "version" come first: a file that is not ours, or of a version this reader
    // does not know, is best told as that rather than by its first key it does not know.
    std::optional<std::string> ReadFormat() {
        if (!table_.contains("format")) {
            return Missing("format");
        }
        const Json& format = table_.at("format");
        if (!format.is_string() || format.get<std::string>() != kFormatName) {
            return LineLabel(TableKeyLine("format")) + "\"format\" " + Shown(format) + " is not " +
                   Quoted(kFormatName);
        }
        if (!table_.contains("version")) {
            return Missing("version");
        }
        const Json& version = table_.at("version");
        if (!version.is_number_integer() || version != kTableFileVersion) {
            return LineLabel(TableKeyLine("version")) + "\"version\" " + Shown(version) +
                   " is unknown: this program reads version " + std::to_string(kTableFileVersion);
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadMode() {
        if (!table_.contains("mode")) {
            return Missing("mode");
        }
        const Json& mode = table_.at("mode");
        if (mode != "english" && mode != "chinese") {
            return LineLabel(TableKeyLine("mode")) + "\"mode\" " + Shown(mode) +
                   " is neither \"english\" nor \"chinese\"";
        }
        content_.englishMode = mode == "english";
        return std::nullopt;
    }

    std::optional<std::string> ReadSections() {
        if (!table_.contains("sections")) {
            return Missing("sections");
        }
        const Json& sections = table_.at("sections");
        if (!sections.is_array()) {
            return LineLabel(TableKeyLine("sections")) + "\"sections\" is not a list";
        }
        if (sections.size() > static_cast<std::size_t>(kSectionRows)) {
            return LineLabel(places_.sections.at(kSectionRows)) + SectionLabel(kSectionRows) +
                   "more than " + std::to_string(kSectionRows) + " sections";
        }
        content_.sections.resize(sections.size());
        for (std::size_t n = 0; n < sections.size(); ++n) {
            if (auto failure = ReadSection(n, sections[n], content_.sections[n])) {
                return failure;
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadSection(std::size_t n, const Json& section,
                                           LedSection& read) const {
        const std::string label = LineLabel(places_.sections.at(n)) + SectionLabel(n);
        if (!section.is_object()) {
            return label + "not an object";
        }
        const KeyLines& keys = places_.sectionKeys.at(n);
        if (auto failure = UnknownKey(keys, kSectionKeys, SectionLabel(n))) {
            return failure;
        }
        const auto at = [&](std::string_view key) {
            return LineLabel(keys.find(key)->second) + SectionLabel(n) + Quoted(key) + " ";
        };
        for (std::string_view key : {"opening", "closing"}) {
            if (!section.contains(key)) {
                return label + "key " + Quoted(key) + " is missing";
            }
        }
        const Json& opening = section.at("opening");
        const Json& closing = section.at("closing");
        const auto open =
            opening.is_string() ? OpenEffectNamed(opening.get<std::string>()) : std::nullopt;
        // By name only: the number a command line takes is no name.
        if (!open || opening.get<std::string>() != EffectName(*open)) {
            return at("opening") + Shown(opening) + " is not an opening effect";
        }
        const auto close =
            closing.is_string() ? CloseEffectNamed(closing.get<std::string>()) : std::nullopt;
        if (!close || closing.get<std::string>() != EffectName(*close)) {
            return at("closing") + Shown(closing) + " is not a closing effect";
        }
        read.openOption = *open;
        read.closeOption = *close;
        if (!section.contains("drawing")) {
            return ReadText(section, label, at, read.text);
        }
        for (std::string_view key : {"text", "bytes"}) {
            if (section.contains(key)) {
                return label + "both \"drawing\" and " + Quoted(key);
            }
        }
        return ReadDrawing(section.at("drawing"), at("drawing"), read.drawing);
    }

    // A drawing: its rows of dots, as many as the mode's column has at most, and where it came
    // from.
    std::optional<std::string> ReadDrawing(const Json& value, const std::string& at,
                                           Drawing& drawing) const {
        if (!value.is_object()) {
            return at + "is not an object";
        }
        for (const auto& [key, ignored] : value.items()) {
            if (std::find(kDrawingKeys.begin(), kDrawingKeys.end(), key) == kDrawingKeys.end()) {
                return at + "unknown key " + Quoted(key);
            }
        }
        if (!value.contains("dots") || !value.at("dots").is_array()) {
            return at + "\"dots\" is not a list of rows";
        }
        std::vector<std::string> rows;
        for (const Json& row : value.at("dots")) {
            if (!row.is_string()) {
                return at + "\"dots\" holds " + Shown(row) + ", not a row of '#' and '.'";
            }
            rows.push_back(row.get<std::string>());
        }
        auto parsed = ParseDrawingRows(rows, DrawingRows(content_.englishMode));
        if (const auto* reason = std::get_if<std::string>(&parsed)) {
            return at + "\"dots\" " + *reason;
        }
        drawing = std::get<Drawing>(std::move(parsed));
        if (drawing.columns.empty()) {
            return at + "\"dots\" hold no column";
        }
        return value.contains("source") ? ReadSource(value.at("source"), at, drawing.source)
                                        : std::nullopt;
    }

    static std::optional<std::string> ReadSource(const Json& value, const std::string& at,
                                                 DrawingSource& source) {
        if (!value.is_object()) {
            return at + "\"source\" is not an object";
        }
        for (const auto& [key, ignored] : value.items()) {
            if (std::find(kSourceKeys.begin(), kSourceKeys.end(), key) == kSourceKeys.end()) {
                return at + "\"source\" has the unknown key " + Quoted(key);
            }
        }
        const Json kind = value.value("kind", Json());
        const auto known = std::find(kSourceKinds.begin(), kSourceKinds.end(),
                                     kind.is_string() ? kind.get<std::string>() : "");
        if (known == kSourceKinds.end()) {
            return at + "\"source\" kind " + Shown(kind) +
                   " is none of \"hand\", \"picture\" and \"font\"";
        }
        source.kind = static_cast<DrawingSource::Kind>(known - kSourceKinds.begin());
        std::optional<std::string> failure;
        const auto take = [&](std::string_view key, auto& into, auto valid, const char* what) {
            if (failure || !value.contains(key)) {
                return;
            }
            const Json& given = value.at(key);
            if (!valid(given)) {
                failure = at + "\"source\" " + Quoted(key) + " " + Shown(given) + " is not " + what;
                return;
            }
            into = given.get<std::remove_reference_t<decltype(into)>>();
        };
        const auto isString = [](const Json& given) { return given.is_string(); };
        const auto isFlag = [](const Json& given) { return given.is_boolean(); };
        const auto inRange = [](int most) {
            return [most](const Json& given) {
                return given.is_number_integer() && given >= 0 && given <= most;
            };
        };
        take("file", source.file, isString, "a string");
        take("threshold", source.threshold, inRange(kMostPercent), "a percent from 0 to 100");
        take("invert", source.invert, isFlag, "true or false");
        take("family", source.family, isString, "a string");
        take("bold", source.bold, isFlag, "true or false");
        take("italic", source.italic, isFlag, "true or false");
        take("spacing", source.spacing, inRange(kMostSpacing), "a spacing from 0 to 64");
        take("text", source.text, isString, "a string");
        return failure;
    }

    template <typename At>
    static std::optional<std::string> ReadText(const Json& section, const std::string& label,
                                               const At& at, std::string& text) {
        const bool hasText = section.contains("text");
        if (hasText == section.contains("bytes")) {
            return label +
                   (hasText ? "both \"text\" and \"bytes\"" : "neither \"text\" nor \"bytes\"");
        }
        const std::string key = hasText ? "text" : "bytes";
        const Json& value = section.at(key);
        if (!value.is_string()) {
            return at(key) + "is not a string";
        }
        const std::string given = value.get<std::string>();
        std::string bad;
        const std::optional<std::string> bytes =
            hasText ? Utf8ToCodePage936(given) : BytesOfHex(given, bad);
        if (!bytes) {
            return at(key) + (hasText ? "holds a character code page 936 does not have"
                                      : Quoted(bad) + " is not a hex byte");
        }
        if (auto reason = UnstorableTextReason(*bytes)) {
            return at(key) + *reason;
        }
        text = *bytes;
        return std::nullopt;
    }

    // The first key, in the file's order, that the object should not hold.
    template <std::size_t N>
    static std::optional<std::string> UnknownKey(const KeyLines& keys,
                                                 const std::array<std::string_view, N>& known,
                                                 const std::string& where) {
        std::optional<std::pair<int, std::string>> first;
        for (const auto& [key, line] : keys) {
            if (std::find(known.begin(), known.end(), key) == known.end() &&
                (!first || line < first->first)) {
                first = {line, key};
            }
        }
        if (!first) {
            return std::nullopt;
        }
        return LineLabel(first->first) + where + "unknown key " + Quoted(first->second);
    }

    const Json& table_;
    const Places& places_;
    LedFileContent content_;
};

// A drawing's source: its kind and the settings of that kind, so it can be made again.
std::string SourceText(const DrawingSource& source) {
    std::string text = "{ \"kind\": " + Quoted(kSourceKinds[static_cast<std::size_t>(source.kind)]);
    const auto flag = [](bool on) { return on ? std::string("true") : std::string("false"); };
    switch (source.kind) {
        case DrawingSource::Kind::Hand:
            break;
        case DrawingSource::Kind::Picture:
            text += ", \"file\": " + Quoted(source.file) +
                    ", \"threshold\": " + std::to_string(source.threshold) +
                    ", \"invert\": " + flag(source.invert);
            break;
        case DrawingSource::Kind::Font:
            text += ", \"family\": " + Quoted(source.family) + ", \"bold\": " + flag(source.bold) +
                    ", \"italic\": " + flag(source.italic) +
                    ", \"spacing\": " + std::to_string(source.spacing) +
                    ", \"text\": " + Quoted(source.text);
            break;
    }
    return text + " }";
}

// A drawing as its source and its rows of '#' and '.', a row a line, top row first.
std::string DrawingText(const Drawing& drawing, bool englishMode) {
    std::string text =
        "\"drawing\": {\n      \"source\": " + SourceText(drawing.source) + ",\n      \"dots\": [";
    const char* separator = "\n";
    for (const std::string& row : DrawingRowsText(drawing, DrawingRows(englishMode))) {
        text += separator;
        text += "        " + Quoted(row);
        separator = ",\n";
    }
    return text + "\n      ] }";
}

}  // namespace

bool IsTableFileText(std::string_view bytes) {
    const std::size_t first = bytes.find_first_not_of(kJsonSpace);
    return first != std::string_view::npos && bytes[first] == '{';
}

LedParseResult ParseTableFile(std::string_view text) {
    if (text.size() > kLargestReadFile) {
        return {std::nullopt,
                "the file is larger than " + std::to_string(kLargestReadFile) + " bytes"};
    }
    ReadPosition position;
    Places places;
    Json table;
    try {
        table = Json::parse(CountingIterator(text.data(), &position),
                            CountingIterator(text.data() + text.size(), &position),
                            PlaceRecorder(position, places));
    } catch (const Json::parse_error& error) {
        return {std::nullopt,
                LineLabel(LineAtByte(text, error.byte)) + "not JSON: " + ParserReason(error)};
    } catch (const Json::exception& error) {
        return {std::nullopt, LineLabel(position.tokenLine) + "not JSON: " + ParserReason(error)};
    }
    if (places.duplicate) {
        return {std::nullopt, *places.duplicate};
    }
    return TableReader(table, places).Read();
}

std::string FormatTableFile(const LedFileContent& content) {
    std::string file = "{\n  \"format\": " + Quoted(kFormatName) +
                       ",\n  \"version\": " + std::to_string(kTableFileVersion) +
                       ",\n  \"mode\": " + (content.englishMode ? "\"english\"" : "\"chinese\"") +
                       ",\n  \"sections\": [";
    const char* separator = "\n";
    for (const LedSection& section : content.sections) {
        file += separator;
        file += "    { \"opening\": " + Quoted(EffectName(section.openOption)) +
                ", \"closing\": " + Quoted(EffectName(section.closeOption)) + ", ";
        if (!section.drawing.columns.empty()) {
            file += DrawingText(section.drawing, content.englishMode);
        } else {
            file += StoredAsText(section.text)
                        ? "\"text\": " + Quoted(CodePage936ToUtf8(section.text))
                        : "\"bytes\": " + Quoted(HexOfBytes(section.text));
        }
        file += " }";
        separator = ",\n";
    }
    file += content.sections.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return file;
}

}  // namespace lumera
