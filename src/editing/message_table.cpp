#include "editing/message_table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "editing/keyboards.h"
#include "editing/language_texts.h"
#include "editing/text_measures.h"
#include "editing/validation.h"

namespace lumera {
namespace {

void requireInRange(int value, int limit, const char* what) {
    if (value < 0 || value >= limit) {
        throw std::out_of_range(std::string(what) + " out of range: " + std::to_string(value));
    }
}

void append(Messages& to, Messages&& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

}  // namespace

MessageTable::MessageTable() {
    Reset(true);
}

Messages MessageTable::Reset(bool englishMode) {
    englishMode_ = englishMode;
    const int maxLength = englishMode ? kEnglishMaxLength : kChineseMaxLength;
    Messages messages;
    for (int index = 0; index < kSectionRows; ++index) {
        // Emptying goes through the change handling like any edit, so a table that
        // held text counts as modified afterwards.
        append(messages, SetText(index, std::string()));
        Section& section = sections_[index];
        section.maxLength = maxLength;
        section.openOption = OpenEffect::LeftToRight;
        section.closeOption = CloseEffect::FromRightToLeft;
        section.enabled = index == 0;
    }
    return messages;
}

Messages MessageTable::Clear() {
    Messages messages = Reset(englishMode_);
    sectionCount_ = 0;
    modified_ = true;
    currentSection_ = 0;
    return messages;
}

Messages MessageTable::SetText(int index, std::string text) {
    requireInRange(index, kSectionRows, "section");
    if (sections_[index].text == text) {
        return {};
    }
    sections_[index].text = std::move(text);
    return ApplyTextRules(index);
}

Messages MessageTable::ApplyTextRules(int index) {
    Section& section = sections_[index];
    Messages messages;
    // A cut sets the text again, which runs this handler once more on the cut text
    // before this run goes on: its messages come after the outer one.
    if (englishMode_) {
        if (HasBadEnglishChar(section.text)) {
            messages.push_back(BadCharacterMessage(section.text, true));
        }
        if (TextByteLength(section.text) > section.maxLength) {
            append(messages, SetText(index, section.text.substr(0, section.maxLength)));
        }
    } else {
        if (HasBadChineseChar(section.text)) {
            messages.push_back(BadCharacterMessage(section.text, false));
        }
        prevChineseLimit_ = ChineseLimit(section.text, prevChineseLimit_);
        section.maxLength = prevChineseLimit_;
        if (DisplayUnits(section.text) > section.maxLength) {
            append(messages, SetText(index, TrimToWidth(section.text, section.maxLength)));
        }
    }
    if (!section.text.empty()) {
        if (index + 1 < kSectionRows) {
            sections_[index + 1].enabled = true;
        }
        sectionCount_ = std::max(sectionCount_, index + 1);
    }
    modified_ = true;
    return messages;
}

KeyInsertion MessageTable::PressGlyphKey(int keyNumber, std::size_t caret) {
    const KeyboardKey& key = GlyphKey(keyNumber);
    const Section& section = sections_[currentSection_];
    // Strict on the width before the insertion: a full text still takes a key, and the
    // Chinese rule then cuts its end back to the limit.
    const bool refused = section.maxLength < DisplayUnits(section.text);
    return insertKey(key.code, caret, refused);
}

KeyInsertion MessageTable::PressEnglishKey(int keyNumber, std::size_t caret) {
    const KeyboardKey& key = EnglishKey(keyNumber);
    const Section& section = sections_[currentSection_];
    const bool refused = section.maxLength < TextByteLength(section.text) + 1;
    return insertKey(key.code, caret, refused);
}

KeyInsertion MessageTable::insertKey(unsigned char code, std::size_t caret, bool refused) {
    const std::string& text = sections_[currentSection_].text;
    const std::size_t at = std::min(caret, text.size());
    KeyInsertion result;
    result.caret = at;
    if (refused) {
        return result;
    }
    std::string changed = text.substr(0, at);
    changed += static_cast<char>(code);
    changed += text.substr(at);
    result.inserted = true;
    result.messages = SetText(currentSection_, std::move(changed));
    // An edit keeps its caret inside its text, also when the cut took the new character.
    result.caret = std::min(at + 1, sections_[currentSection_].text.size());
    return result;
}

// Every row's choice marks the table changed: an effect chosen for a later row alone must
// still bring the offer to save on leaving.
void MessageTable::SelectOpenOption(int index, OpenEffect effect) {
    SetOpenOption(index, effect);
    modified_ = true;
}

void MessageTable::SelectCloseOption(int index, CloseEffect effect) {
    SetCloseOption(index, effect);
    modified_ = true;
}

// A value cast from a number outside the list is refused like any other bad index.
void MessageTable::SetOpenOption(int index, OpenEffect effect) {
    requireInRange(index, kSectionRows, "section");
    requireInRange(EffectNumber(effect), kOpenOptionCount, "open option");
    sections_[index].openOption = effect;
}

void MessageTable::SetCloseOption(int index, CloseEffect effect) {
    requireInRange(index, kSectionRows, "section");
    requireInRange(EffectNumber(effect), kCloseOptionCount, "close option");
    sections_[index].closeOption = effect;
}

void MessageTable::SetRowEnabled(int index, bool enabled) {
    requireInRange(index, kSectionRows, "section");
    sections_[index].enabled = enabled;
}

void MessageTable::SetSectionCount(int count) {
    requireInRange(count, kSectionRows + 1, "section count");
    sectionCount_ = count;
}

void MessageTable::SetCurrentSection(int index) {
    requireInRange(index, kSectionRows, "section");
    currentSection_ = index;
}

void MessageTable::SetModified(bool modified) {
    modified_ = modified;
}

void MessageTable::ClickSection(int index) {
    if (index >= 0 && index < kSectionRows) {
        currentSection_ = index;
    }
}

Section MessageTable::EmptySection() const {
    Section empty;
    empty.maxLength = englishMode_ ? kEnglishMaxLength : kChineseMaxLength;
    return empty;
}

void MessageTable::EnableRowsInUse() {
    for (int index = 0; index < kSectionRows; ++index) {
        sections_[index].enabled = index <= sectionCount_;
    }
    modified_ = true;
}

bool MessageTable::InsertSection(int index) {
    if (!InUse(index) || sectionCount_ == kSectionRows) {
        return false;
    }
    std::shift_right(sections_.begin() + index, sections_.end(), 1);
    sections_[index] = EmptySection();
    ++sectionCount_;
    currentSection_ = index;
    EnableRowsInUse();
    return true;
}

bool MessageTable::DeleteSection(int index) {
    if (!InUse(index)) {
        return false;
    }
    std::shift_left(sections_.begin() + index, sections_.end(), 1);
    sections_.back() = EmptySection();
    --sectionCount_;
    currentSection_ = std::max(0, std::min(index, sectionCount_ - 1));
    EnableRowsInUse();
    return true;
}

bool MessageTable::DuplicateSection(int index) {
    if (!InUse(index) || sectionCount_ == kSectionRows) {
        return false;
    }
    std::shift_right(sections_.begin() + index + 1, sections_.end(), 1);
    sections_[index + 1] = sections_[index];
    ++sectionCount_;
    currentSection_ = index + 1;
    EnableRowsInUse();
    return true;
}

bool MessageTable::MoveSection(int index, int to) {
    if (!InUse(index) || !InUse(to)) {
        return false;
    }
    std::swap(sections_[index], sections_[to]);
    currentSection_ = to;
    EnableRowsInUse();
    return true;
}

bool MessageTable::RunSectionCommand(SectionCommand command, int index) {
    const std::array<Section, kSectionRows> before = sections_;
    const int count = sectionCount_;
    const int current = currentSection_;
    if (ApplySectionCommand(command, index) && !SameSections(before, sections_)) {
        return true;
    }
    sections_ = before;
    sectionCount_ = count;
    currentSection_ = current;
    return false;
}

bool MessageTable::SameSections(const std::array<Section, kSectionRows>& one,
                                const std::array<Section, kSectionRows>& other) {
    return std::equal(one.begin(), one.end(), other.begin(),
                      [](const Section& a, const Section& b) {
                          return a.text == b.text && a.openOption == b.openOption &&
                                 a.closeOption == b.closeOption;
                      });
}

bool MessageTable::ApplySectionCommand(SectionCommand command, int index) {
    switch (command) {
        case SectionCommand::InsertAbove:
            return InsertSection(index);
        case SectionCommand::Duplicate:
            return DuplicateSection(index);
        case SectionCommand::MoveUp:
            return MoveSection(index, index - 1);
        case SectionCommand::MoveDown:
            return MoveSection(index, index + 1);
        case SectionCommand::Delete:
            return DeleteSection(index);
    }
    return false;
}

LengthUse MessageTable::LengthUseOf(int index) const {
    requireInRange(index, kSectionRows, "section");
    const Section& section = sections_[index];
    const int used = englishMode_ ? TextByteLength(section.text) : DisplayUnits(section.text);
    return {used, section.maxLength};
}

bool MessageTable::HoldsText() const {
    return std::any_of(sections_.begin(), sections_.end(),
                       [](const Section& section) { return !section.text.empty(); });
}

bool MessageTable::SameContent(const MessageTable& other) const {
    return sections_ == other.sections_ && englishMode_ == other.englishMode_ &&
           sectionCount_ == other.sectionCount_ && currentSection_ == other.currentSection_ &&
           prevChineseLimit_ == other.prevChineseLimit_;
}

}  // namespace lumera
