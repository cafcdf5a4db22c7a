#include "zrusb/handle_registry.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace lumera::zrusb {

int HandleRegistry::Share(std::shared_ptr<Device> device) {
    const auto shared = std::ranges::find_if(
        entries_, [&](const auto& entry) { return entry.second.device == device; });
    if (shared != entries_.end()) {
        ++shared->second.references;
        return shared->first;
    }
    const int handle = NextFreeHandle();
    entries_.emplace(handle, Entry{std::move(device), 1});
    return handle;
}

void HandleRegistry::Release(int handle) {
    const auto entry = entries_.find(handle);
    if (entry != entries_.end() && --entry->second.references == 0) {
        entries_.erase(entry);
    }
}

std::shared_ptr<Device> HandleRegistry::Find(int handle) const {
    const auto entry = entries_.find(handle);
    if (entry == entries_.end() || !entry->second.device->Usable()) {
        return nullptr;
    }
    return entry->second.device;
}

void HandleRegistry::ForgetUnusable() {
    std::erase_if(entries_, [](const auto& entry) { return !entry.second.device->Usable(); });
}

int HandleRegistry::NextFreeHandle() {
    int handle = 0;
    do {
        handle = nextHandle_;
        nextHandle_ = nextHandle_ == INT_MAX ? 1 : nextHandle_ + 1;
    } while (entries_.contains(handle));
    return handle;
}

}  // namespace lumera::zrusb
