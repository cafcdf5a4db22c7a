#pragma once

#include <QTranslator>
#include <filesystem>
#include <optional>

#include "editing/language_texts.h"

namespace lumera::app {

// The folder of the window's translations, within its data folder.
inline constexpr char kTranslationFolder[] = "translations";
// File name stem of the window's own translations: lumera_ja.qm, lumera_zh_CN.qm.
inline constexpr char kTranslationStem[] = "lumera";

// The window's translations and Qt's own (its dialogs' buttons), switched together with the
// interface language. English is the source language: it installs none.
class WindowTranslators {
public:
    // The window's .qm files lie in `directory`; Qt's come from Qt's own folder.
    explicit WindowTranslators(std::filesystem::path directory);
    ~WindowTranslators();
    WindowTranslators(const WindowTranslators&) = delete;
    WindowTranslators& operator=(const WindowTranslators&) = delete;

    // Installs the translations of `language` in place of the previous ones; the widgets
    // have re-set their texts when it returns. A missing file leaves those texts in English.
    void Use(Language language);

private:
    void Remove();

    std::filesystem::path directory_;
    std::optional<Language> used_;
    QTranslator own_;
    QTranslator qt_;
    bool ownInstalled_ = false;
    bool qtInstalled_ = false;
};

}  // namespace lumera::app
