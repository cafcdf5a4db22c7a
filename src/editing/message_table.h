#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editing/drawing.h"
#include "editing/effects.h"
#include "editing/table_limits.h"

namespace lumera {

// Texts the operator is shown, in the order they arose (UTF-8).
using Messages = std::vector<std::string>;

// One row of the table: what the edit ME n and the lists CBA n / CBB n hold.
struct Section {
    std::string text;   // code page 936 bytes; 0x01..0x1B are glyph codes
    Drawing drawing{};  // instead of a text when it has columns
    OpenEffect openOption = OpenEffect::LeftToRight;
    CloseEffect closeOption = CloseEffect::FromRightToLeft;
    bool enabled = false;               // the row's label, edit and both lists together
    int maxLength = kEnglishMaxLength;  // the edit's MaxLength

    bool HoldsDrawing() const { return !drawing.columns.empty(); }
    bool operator==(const Section&) const = default;
};

// A section's content as a file or the terminal gives it: what loading stores.
struct SectionContent {
    std::string text;  // code page 936 bytes, exactly as the section's edit holds them
    OpenEffect openOption = OpenEffect::LeftToRight;
    CloseEffect closeOption = CloseEffect::FromRightToLeft;
    Drawing drawing{};  // instead of the text when it has columns

    bool operator==(const SectionContent&) const = default;
};

// How much of a text the length rule kept, in the limit's units (bytes in English, width
// units in Chinese).
struct TextCut {
    int kept = 0;
    int given = 0;
};

// What an edit did, so that no caller has to work it out again from the table.
struct EditResult {
    bool changed = false;        // some text, effect, row, count or the mode differs from before
    bool badCharacter = false;   // a text holds a character its mode does not have
    std::optional<TextCut> cut;  // the length rule cut the text given
    Messages messages;           // for the operator, in the order they arose
};

// The messages of several edits, in order.
Messages MessagesOf(std::span<const EditResult> results);

// What the operator can do to a whole section.
enum class SectionCommand {
    InsertAbove,  // an empty section above it
    Duplicate,    // a copy below it
    MoveUp,
    MoveDown,
    Delete,
};

// How much of its length limit a section's text uses, in the limit's own units (bytes in
// English, width units in Chinese).
struct LengthUse {
    int used = 0;
    int limit = 0;
};

// Where a key press left the edit.
struct KeyInsertion {
    bool inserted = false;
    std::size_t caret = 0;  // byte offset
    EditResult edit;
};

// The message table: 32 sections and the window state that belongs to them.
// Every view (window, preview, download, files, terminal) reads and changes the
// table only through this class, so they can never disagree.
// A section index outside 0..31, an effect outside its list, a key the keyboard does not
// have or more than 32 sections to load throws std::out_of_range and changes nothing.
// "Modified" is not the table's to decide: whoever keeps its history does, from `changed`.
class MessageTable {
public:
    // As construction leaves it: English reset, nothing in use.
    MessageTable();

    const Section& section(int index) const { return sections_.at(index); }
    bool EnglishMode() const { return englishMode_; }
    int SectionCount() const { return sectionCount_; }
    int CurrentSection() const { return currentSection_; }
    std::uint8_t PrevChineseLimit() const { return prevChineseLimit_; }

    // The table part of ApplyEnglishTexts / ApplyChineseTexts (and of the Japanese
    // switch): sets EnglishMode first, then empties every text through the change
    // handling, sets the mode's MaxLength, puts both options at 0 and enables row 1 only.
    // Leaves SectionCount and CurrentSection as they were.
    EditResult Reset(bool englishMode);

    // The table part of BtnClearClick: Reset in the current mode, SectionCount 0,
    // CurrentSection 0.
    EditResult Clear();

    // A table read from a file or given on a command line replaces this one, as a load
    // does: Reset in `englishMode`, each text set through the text rules, the effects set,
    // each loaded row and the one after it enabled, SectionCount the number of sections and
    // section 1 current. One result per section given, in order.
    std::vector<EditResult> Load(bool englishMode, std::span<const SectionContent> sections);

    // The edit's text is set (typing, paste). Runs the text rules when the text differs
    // from the one held, including the re-entrant run after a cut. A text that is not empty
    // takes the place of a drawing.
    EditResult SetText(int index, std::string text);

    // The section shows `drawing` instead of a text (none when it has no columns); the row
    // after it opens as for a text. A drawing wider than kMostSectionColumns, or with dots
    // below the mode's height, throws std::out_of_range and changes nothing.
    EditResult SetDrawing(int index, Drawing drawing);

    // A key of the glyph keyboard (CNBtnClick, key 1..109) or the English keyboard
    // (EngBtnClick, key 1..105) pressed with the caret of the current section's edit at
    // `caret` bytes (held to the text's end). The caret comes back one past the new
    // character, or at the text's end when the length rule cut the character off.
    KeyInsertion PressGlyphKey(int keyNumber, std::size_t caret);
    KeyInsertion PressEnglishKey(int keyNumber, std::size_t caret);

    // The operator picked an option (CBA1Change / CBB1Change, and the same for every other
    // row).
    EditResult SelectOpenOption(int index, OpenEffect effect);
    EditResult SelectCloseOption(int index, CloseEffect effect);

    void SetCurrentSection(int index);
    // maskeditOnClick: a click in a section's edit makes it current; an index outside the
    // table leaves the current section.
    void ClickSection(int index);

    // Section commands on the sections in use (0..SectionCount-1). Each keeps SectionCount and
    // leaves exactly the rows 0..SectionCount enabled (at most all 32), and the current section on
    // the section it acted on. Sections keep their own length limits as they move. A command that
    // cannot apply changes nothing and returns false: an index not in use, a move past either end,
    // an insertion that would push the 32nd section off the table, or one that would leave every
    // text and effect as it was (moving or deleting empty sections).
    EditResult RunSectionCommand(SectionCommand command, int index);

    LengthUse LengthUseOf(int index) const;

    // Some section has a text or a drawing: only then is there something to offer to save.
    bool HoldsContent() const;

    // The whole content: what an undo step restores.
    bool SameContent(const MessageTable& other) const;

private:
    // Runs `edit` and reports whether the content changed.
    template <typename Edit>
    EditResult Reported(Edit&& edit);
    void ResetRows(bool englishMode, EditResult& result);
    void StoreText(int index, std::string text, EditResult& result);
    void ApplyTextRules(int index, EditResult& result);
    // A section that now shows something opens the row after it and counts as in use.
    void TakeInUse(int index);
    // A text's length in the units of the mode's limit.
    int Units(std::string_view text) const;
    void SetOpenOption(int index, OpenEffect effect);
    void SetCloseOption(int index, CloseEffect effect);
    KeyInsertion insertKey(unsigned char code, std::size_t caret, bool refused);
    bool InUse(int index) const { return index >= 0 && index < sectionCount_; }
    Section EmptySection() const;
    bool InsertSection(int index);
    bool DeleteSection(int index);
    bool DuplicateSection(int index);
    bool MoveSection(int index, int to);
    bool ApplySectionCommand(SectionCommand command, int index);
    // Whether two tables' sections hold the same texts and effects, row by row.
    static bool SameSections(const std::array<Section, kSectionRows>& one,
                             const std::array<Section, kSectionRows>& other);
    // After a section command: the rows 0..SectionCount enabled, the rest not.
    void EnableRowsInUse();

    std::array<Section, kSectionRows> sections_;
    bool englishMode_ = true;
    int sectionCount_ = 0;
    int currentSection_ = 0;
    std::uint8_t prevChineseLimit_ = 0;
};

}  // namespace lumera
