#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "zrusb/device.h"

namespace lumera::zrusb {

inline constexpr int kNoHandle = -1;

// Handles given out to callers. Opening a display that already has a handle returns the
// same handle again and counts the reference, so a caller that opens repeatedly without
// closing (the presence poll) costs nothing. Handle numbers are not reused while in use.
class HandleRegistry {
public:
    int Share(std::shared_ptr<Device> device);
    void Release(int handle);
    // The usable device behind a handle, or null.
    std::shared_ptr<Device> Find(int handle) const;
    // Drops the handles of displays that are gone, whoever still holds them.
    void ForgetUnusable();

private:
    struct Entry {
        std::shared_ptr<Device> device;
        std::uint64_t references;
    };

    int NextFreeHandle();

    std::map<int, Entry> entries_;
    int nextHandle_ = 1;
};

}  // namespace lumera::zrusb
