#pragma once

#include <ostream>

#include "editing/prompter.h"

namespace lumera::download {

// The boxes of a send for a program without a window: each text becomes one line on the
// stream, in order. Questions are answered No and file dialogs cancelled, since nobody can
// answer them.
class StreamPrompter : public Prompter {
public:
    explicit StreamPrompter(std::ostream& out) : out_(out) {}

    void Message(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Ask(const std::string& text) override;
    std::optional<std::string> OpenFileName(const std::string& filter) override;
    std::optional<std::string> SaveFileName(const std::string& filter,
                                            const std::string& suggested) override;

protected:
    std::ostream& out() { return out_; }

private:
    std::ostream& out_;
};

}  // namespace lumera::download
