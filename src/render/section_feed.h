#pragma once

#include <optional>

#include "editing/effects.h"
#include "outside/glyph_cell.h"

namespace lumera {

// What the preview engine needs of one section it plays.
struct FeedSection {
    // None when an image's effect byte names no effect the display knows.
    std::optional<OpenEffect> openEffect;
    std::optional<CloseEffect> closeEffect;
    int rows = 0;     // rows of the text
    int columns = 0;  // dot buffer columns of the text, from column 0
};

// Where the preview engine finds the sections it plays: the message table as composed, or
// a download image as the display holds it.
class SectionFeed {
public:
    virtual ~SectionFeed() = default;

    virtual bool EnglishMode() const = 0;
    virtual int SectionCount() const = 0;
    virtual int CurrentSection() const = 0;  // where Start begins
    virtual bool IsShowable(int row) const = 0;
    // Makes `row` the section on show and clears dotRows.
    virtual FeedSection Load(int row, DotRows& dotRows) = 0;
    // Writes every dot of the loaded section's text area.
    virtual void Convert(DotRows& dotRows) const = 0;
};

}  // namespace lumera
