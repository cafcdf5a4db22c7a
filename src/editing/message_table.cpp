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

// A drawing the display can take in this mode: a record's columns at most, none taller than
// the mode's column.
void RequireDrawable(const Drawing& drawing, bool englishMode) {
    requireInRange(static_cast<int>(drawing.columns.size()), kMostSectionColumns + 1,
                   "drawing columns");
    const unsigned tallest = (1u << DrawingRows(englishMode)) - 1;
    for (const std::uint16_t column : drawing.columns) {
        if ((column & ~tallest) != 0) {
            throw std::out_of_range("drawing dots below the mode's " +
                                    std::to_string(DrawingRows(englishMode)) + " rows");
        }
    }
}

}  // namespace

Messages MessagesOf(std::span<const EditResult> results) {
    Messages messages;
    for (const EditResult& result : results) {
        messages.insert(messages.end(), result.messages.begin(), result.messages.end());
    }
    return messages;
}

MessageTable::MessageTable() {
    Reset(true);
}

template <typename Edit>
EditResult MessageTable::Reported(Edit&& edit) {
    const MessageTable before = *this;
    EditResult result;
    edit(result);
    result.changed = !SameContent(before);
    return result;
}

EditResult MessageTable::Reset(bool englishMode) {
    return Reported([&](EditResult& result) { ResetRows(englishMode, result); });
}

EditResult MessageTable::Clear() {
    return Reported([&](EditResult& result) {
        ResetRows(englishMode_, result);
        sectionCount_ = 0;
        currentSection_ = 0;
    });
}

void MessageTable::ResetRows(bool englishMode, EditResult& result) {
    englishMode_ = englishMode;
    const int maxLength = englishMode ? kEnglishMaxLength : kChineseMaxLength;
    for (int index = 0; index < kSectionRows; ++index) {
        // Emptying goes through the text rules like any edit: in Chinese they set the
        // previous limit.
        StoreText(index, std::string(), result);
        Section& section = sections_[index];
        section.drawing = {};
        section.maxLength = maxLength;
        section.openOption = OpenEffect::LeftToRight;
        section.closeOption = CloseEffect::FromRightToLeft;
        section.enabled = index == 0;
    }
}

std::vector<EditResult> MessageTable::Load(bool englishMode,
                                           std::span<const SectionContent> sections) {
    // Checked first, so that a table too long changes nothing.
    if (sections.size() > static_cast<std::size_t>(kSectionRows)) {
        throw std::out_of_range("sections to load: " + std::to_string(sections.size()));
    }
    for (const SectionContent& section : sections) {
        requireInRange(EffectNumber(section.openOption), kOpenOptionCount, "open option");
        requireInRange(EffectNumber(section.closeOption), kCloseOptionCount, "close option");
        RequireDrawable(section.drawing, englishMode);
    }
    Reset(englishMode);
    std::vector<EditResult> results;
    const int count = static_cast<int>(sections.size());
    for (int index = 0; index < count; ++index) {
        const SectionContent& given = sections[index];
        results.push_back(given.drawing.columns.empty() ? SetText(index, given.text)
                                                        : SetDrawing(index, given.drawing));
        sections_[index].openOption = sections[index].openOption;
        sections_[index].closeOption = sections[index].closeOption;
        sections_[index].enabled = true;
        if (index + 1 < kSectionRows) {
            sections_[index + 1].enabled = true;
        }
    }
    sectionCount_ = count;
    // Whatever row was current before may now be disabled or out of sight.
    currentSection_ = 0;
    return results;
}

EditResult MessageTable::SetText(int index, std::string text) {
    requireInRange(index, kSectionRows, "section");
    const int given = Units(text);
    EditResult result =
        Reported([&](EditResult& edit) { StoreText(index, std::move(text), edit); });
    if (const int kept = Units(sections_[index].text); kept < given) {
        result.cut = TextCut{kept, given};
    }
    return result;
}

void MessageTable::StoreText(int index, std::string text, EditResult& result) {
    if (sections_[index].text == text) {
        return;
    }
    if (!text.empty()) {
        sections_[index].drawing = {};
    }
    sections_[index].text = std::move(text);
    ApplyTextRules(index, result);
}

EditResult MessageTable::SetDrawing(int index, Drawing drawing) {
    requireInRange(index, kSectionRows, "section");
    RequireDrawable(drawing, englishMode_);
    return Reported([&](EditResult& result) {
        StoreText(index, std::string(), result);
        sections_[index].drawing = std::move(drawing);
        if (sections_[index].HoldsDrawing()) {
            TakeInUse(index);
        }
    });
}

void MessageTable::TakeInUse(int index) {
    if (index + 1 < kSectionRows) {
        sections_[index + 1].enabled = true;
    }
    sectionCount_ = std::max(sectionCount_, index + 1);
}

void MessageTable::ApplyTextRules(int index, EditResult& result) {
    Section& section = sections_[index];
    // A cut sets the text again, which runs this handler once more on the cut text
    // before this run goes on: its messages come after the outer one.
    if (englishMode_) {
        if (HasBadEnglishChar(section.text)) {
            result.badCharacter = true;
            result.messages.push_back(BadCharacterMessage(section.text, true));
        }
        if (TextByteLength(section.text) > section.maxLength) {
            StoreText(index, section.text.substr(0, section.maxLength), result);
        }
    } else {
        if (HasBadChineseChar(section.text)) {
            result.badCharacter = true;
            result.messages.push_back(BadCharacterMessage(section.text, false));
        }
        prevChineseLimit_ = ChineseLimit(section.text, prevChineseLimit_);
        section.maxLength = prevChineseLimit_;
        if (DisplayUnits(section.text) > section.maxLength) {
            StoreText(index, TrimToWidth(section.text, section.maxLength), result);
        }
    }
    if (!section.text.empty()) {
        TakeInUse(index);
    }
}

int MessageTable::Units(std::string_view text) const {
    return englishMode_ ? TextByteLength(text) : DisplayUnits(text);
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
    result.edit = SetText(currentSection_, std::move(changed));
    // An edit keeps its caret inside its text, also when the cut took the new character.
    result.caret = std::min(at + 1, sections_[currentSection_].text.size());
    return result;
}

EditResult MessageTable::SelectOpenOption(int index, OpenEffect effect) {
    return Reported([&](EditResult&) { SetOpenOption(index, effect); });
}

EditResult MessageTable::SelectCloseOption(int index, CloseEffect effect) {
    return Reported([&](EditResult&) { SetCloseOption(index, effect); });
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

void MessageTable::SetCurrentSection(int index) {
    requireInRange(index, kSectionRows, "section");
    currentSection_ = index;
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

EditResult MessageTable::RunSectionCommand(SectionCommand command, int index) {
    const std::array<Section, kSectionRows> before = sections_;
    const int count = sectionCount_;
    const int current = currentSection_;
    if (ApplySectionCommand(command, index) && !SameSections(before, sections_)) {
        EditResult done;
        done.changed = true;
        return done;
    }
    sections_ = before;
    sectionCount_ = count;
    currentSection_ = current;
    return {};
}

bool MessageTable::SameSections(const std::array<Section, kSectionRows>& one,
                                const std::array<Section, kSectionRows>& other) {
    return std::equal(one.begin(), one.end(), other.begin(),
                      [](const Section& a, const Section& b) {
                          return a.text == b.text && a.drawing == b.drawing &&
                                 a.openOption == b.openOption && a.closeOption == b.closeOption;
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
    return {Units(section.text), section.maxLength};
}

bool MessageTable::HoldsContent() const {
    return std::any_of(sections_.begin(), sections_.end(), [](const Section& section) {
        return !section.text.empty() || section.HoldsDrawing();
    });
}

bool MessageTable::SameContent(const MessageTable& other) const {
    return sections_ == other.sections_ && englishMode_ == other.englishMode_ &&
           sectionCount_ == other.sectionCount_ && currentSection_ == other.currentSection_ &&
           prevChineseLimit_ == other.prevChineseLimit_;
}

}  // namespace lumera
