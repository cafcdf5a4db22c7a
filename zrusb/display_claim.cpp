#include "zrusb/display_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace lumera::zrusb {

namespace {

// Short against a transfer's length, so a waiting Send notices a release promptly.
constexpr std::chrono::milliseconds kRetryInterval{20};

}  // namespace

std::unique_ptr<DisplayClaim> DisplayClaim::Take(const std::filesystem::path& path, int waitMs,
                                                 Refusal& refusal) {
    // Read-only suffices for flock, and opens a device node without taking its reports.
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        refusal = Refusal::Unavailable;
        return nullptr;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            refusal = errno == EWOULDBLOCK ? Refusal::Busy : Refusal::Unavailable;
            close(descriptor);
            return nullptr;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
    refusal = Refusal::None;
    return std::unique_ptr<DisplayClaim>(new DisplayClaim(descriptor));
}

DisplayClaim::~DisplayClaim() {
    close(descriptor_);
}

}  // namespace lumera::zrusb
