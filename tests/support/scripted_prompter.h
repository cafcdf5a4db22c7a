#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editing/prompter.h"

namespace lumera::testing {

// A Prompter for tests: answers come from queues the test fills beforehand, and every
// box is recorded in order as "kind: text" (kinds: message, information, ask, open, save).
// An unexpected question fails loudly instead of guessing an answer.
class ScriptedPrompter : public Prompter {
public:
    std::vector<std::string> shown;
    // Yes (true), No (false) or, where the question offers it, Cancel (nullopt).
    std::deque<std::optional<bool>> answers;
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::vector<std::string> filters;         // filter of every file dialog, in order
    std::vector<std::string> suggestedNames;  // what every save dialog started with

    void Message(const std::string& text) override { shown.push_back("message: " + text); }
    void Information(const std::string& text) override { shown.push_back("information: " + text); }
    bool Ask(const std::string& text) override {
        const std::optional<bool> answer = AskOrCancel(text);
        if (!answer) {
            throw std::logic_error("Cancel scripted for a question without it: " + text);
        }
        return *answer;
    }
    std::optional<bool> AskOrCancel(const std::string& text) override {
        shown.push_back("ask: " + text);
        return next(answers, "question");
    }
    std::optional<std::string> OpenFileName(const std::string& filter) override {
        shown.push_back("open: " + filter);
        filters.push_back(filter);
        return next(openNames, "open dialog");
    }
    std::optional<std::string> SaveFileName(const std::string& filter,
                                            const std::string& suggested) override {
        shown.push_back("save: " + filter);
        suggestedNames.push_back(suggested);
        filters.push_back(filter);
        return next(saveNames, "save dialog");
    }

    // Texts of the plain message boxes only, in order.
    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        const std::string prefix = "message: ";
        for (const auto& entry : shown) {
            if (entry.rfind(prefix, 0) == 0) {
                result.push_back(entry.substr(prefix.size()));
            }
        }
        return result;
    }

private:
    template <typename T>
    static T next(std::deque<T>& queue, const char* what) {
        if (queue.empty()) {
            throw std::logic_error(std::string("unscripted ") + what);
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

}  // namespace lumera::testing
