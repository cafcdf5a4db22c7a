#pragma once

#include <filesystem>
#include <memory>

namespace lumera::zrusb {

// One transfer's hold on a display: an exclusive advisory lock (flock) on the display's
// device node, or on the emulated display's folder, released when destroyed. Another
// process's claim on the same file waits for it or gives up.
class DisplayClaim {
public:
    enum class Refusal { None, Busy, Unavailable };

    // Null when another holder kept the lock for waitMs (Busy) or the file cannot be
    // opened (Unavailable).
    static std::unique_ptr<DisplayClaim> Take(const std::filesystem::path& path, int waitMs,
                                              Refusal& refusal);
    ~DisplayClaim();
    DisplayClaim(const DisplayClaim&) = delete;
    DisplayClaim& operator=(const DisplayClaim&) = delete;

private:
    explicit DisplayClaim(int descriptor) : descriptor_(descriptor) {}

    int descriptor_;
};

}  // namespace lumera::zrusb
