#pragma once

#include <QLocale>
#include <QRect>
#include <optional>

#include "editing/language_texts.h"

namespace lumera::app {

// What the window keeps of itself between runs, in the user's settings beside the dialogs'
// folder. Each part is absent when it was never kept or what is kept cannot be read.
struct WindowMemory {
    std::optional<QRect> geometry;  // where it stood when not maximised, frame left out
    bool maximised = false;
    std::optional<double> lowerShare;  // of the height beyond the smallest, 0..1
    std::optional<Language> language;
};

WindowMemory RecallWindow();
void RememberWindow(const WindowMemory& memory);

// The interface language of a first start: the locale's when the window speaks it.
Language LanguageOfLocale(const QLocale& locale);

}  // namespace lumera::app
