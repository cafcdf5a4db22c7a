#pragma once

#include <optional>
#include <string>

namespace lumera {

// Everything modal goes through here: the window answers with real dialogs, tests
// script the answers and record every text shown. Texts are UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Plain message box: one OK button, the application title as caption.
    virtual void Message(const std::string& text) = 0;
    // System box with the caption "Information" (only the device-library reports at start).
    virtual void Information(const std::string& text) = 0;
    // Yes/No question with the caption "Warring"; true only for Yes.
    virtual bool Ask(const std::string& text) = 0;
    // The same question with a way back: Yes, No, or nullopt for Cancel (and Escape). A
    // prompter that cannot offer Cancel asks Yes/No.
    virtual std::optional<bool> AskOrCancel(const std::string& text) { return Ask(text); }
    // File dialogs; nullopt when the operator cancels. `filter` is in the "Description|*.ext" form.
    virtual std::optional<std::string> OpenFileName(const std::string& filter) = 0;
    // `suggested`: the name the dialog starts with (empty: none).
    virtual std::optional<std::string> SaveFileName(const std::string& filter,
                                                    const std::string& suggested) = 0;
};

// Shows nothing, declines every question and cancels every dialog: for work whose reports
// nobody is there to read (benchmarks).
class SilentPrompter : public Prompter {
public:
    void Message(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
    std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace lumera
