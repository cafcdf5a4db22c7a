#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editing/effects.h"
#include "editing/table_limits.h"

namespace lumera {

// Texts the operator is shown, in the order they arose (UTF-8).
using Messages = std::vector<std::string>;

// One row of the table: what the edit ME n and the lists CBA n / CBB n hold.
struct Section {
    std::string text;  // code page 936 bytes; 0x01..0x1B are glyph codes
    OpenEffect openOption = OpenEffect::LeftToRight;
    CloseEffect closeOption = CloseEffect::FromRightToLeft;
    bool enabled = false;               // the row's label, edit and both lists together
    int maxLength = kEnglishMaxLength;  // the edit's MaxLength

    bool operator==(const Section&) const = default;
};

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
    Messages messages;
};

// The message table: 32 sections and the window state that belongs to them.
// Every view (window, preview, download, files, terminal) reads and changes the
// table only through this class, so they can never disagree.
// A section index outside 0..31, an effect outside its list, a key the keyboard does not
// have or a count outside 0..32 throws std::out_of_range and changes nothing.
class MessageTable {
public:
    // As construction leaves it: English reset, nothing in use, not modified.
    MessageTable();

    const Section& section(int index) const { return sections_.at(index); }
    bool EnglishMode() const { return englishMode_; }
    int SectionCount() const { return sectionCount_; }
    int CurrentSection() const { return currentSection_; }
    bool Modified() const { return modified_; }
    std::uint8_t PrevChineseLimit() const { return prevChineseLimit_; }

    // The table part of ApplyEnglishTexts / ApplyChineseTexts (and of the Japanese
    // switch): sets EnglishMode first, then empties every text through the change
    // handling, sets the mode's MaxLength, puts both options at 0 and enables row 1 only.
    // Leaves SectionCount, CurrentSection and Modified to the caller (the emptying
    // itself marks the table modified when a text held characters).
    Messages Reset(bool englishMode);

    // The table part of BtnClearClick: Reset in the current mode, SectionCount 0,
    // Modified true, CurrentSection 0.
    Messages Clear();

    // The edit's text is set (typing, paste, key, file load). Runs maskeditOnChange
    // when the text differs from the one held, including the re-entrant run after a cut.
    Messages SetText(int index, std::string text);

    // A key of the glyph keyboard (CNBtnClick, key 1..109) or the English keyboard
    // (EngBtnClick, key 1..105) pressed with the caret of the current section's edit at
    // `caret` bytes (held to the text's end). The caret comes back one past the new
    // character, or at the text's end when the length rule cut the character off.
    KeyInsertion PressGlyphKey(int keyNumber, std::size_t caret);
    KeyInsertion PressEnglishKey(int keyNumber, std::size_t caret);

    // The operator picked an option (CBA1Change / CBB1Change, and the same for every other
    // row): the table is marked modified.
    void SelectOpenOption(int index, OpenEffect effect);
    void SelectCloseOption(int index, CloseEffect effect);
    // The program sets an option (a file load): no change handler runs.
    void SetOpenOption(int index, OpenEffect effect);
    void SetCloseOption(int index, CloseEffect effect);

    void SetRowEnabled(int index, bool enabled);
    void SetSectionCount(int count);
    void SetCurrentSection(int index);
    void SetModified(bool modified);
    // maskeditOnClick: a click in a section's edit makes it current; an index outside the
    // table leaves the current section.
    void ClickSection(int index);

    // Section commands on the sections in use (0..SectionCount-1). Each makes the table
    // modified, keeps SectionCount and leaves exactly the rows 0..SectionCount enabled (at
    // most all 32), and the current section on the section it acted on. Sections keep their
    // own length limits as they move. A command that cannot apply changes nothing and returns
    // false: an index not in use, a move past either end, an insertion that would push the
    // 32nd section off the table, or one that would leave every text and effect as it was
    // (moving or deleting empty sections).
    bool RunSectionCommand(SectionCommand command, int index);

    LengthUse LengthUseOf(int index) const;

    // Some section has text: only then is there something to offer to save.
    bool HoldsText() const;

    // The whole content: what an undo step restores. Modified is not part of it.
    bool SameContent(const MessageTable& other) const;

private:
    Messages ApplyTextRules(int index);
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
    bool modified_ = false;
    std::uint8_t prevChineseLimit_ = 0;
};

}  // namespace lumera
