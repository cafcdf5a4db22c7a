#pragma once

#include <optional>
#include <string>

#include "editing/prompter.h"

namespace lumera::bench {

// Counts the boxes instead of showing them, so a benchmark can tell that every send worked.
class CountingPrompter : public Prompter {
public:
    int shown = 0;
    void Message(const std::string&) override { ++shown; }
    void Information(const std::string&) override { ++shown; }
    bool Ask(const std::string&) override { return false; }
    std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace lumera::bench
