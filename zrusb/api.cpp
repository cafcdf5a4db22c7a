// The library surface: four C entry points over the handle registry and the two backends.
// Nothing may escape as a C++ exception, and every pointer from the caller is checked.

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "zrusb/emulator_backend.h"
#include "zrusb/handle_registry.h"
#include "zrusb/hid_backend.h"
#include "zrusb/zrusb.h"

namespace lumera::zrusb {
namespace {

constexpr const char* kEmulatorVariable = "ZRUSB_EMULATOR";
constexpr const char* kFaultVariable = "ZRUSB_EMULATOR_FAULT";
constexpr int kFailure = 0;
constexpr int kSuccess = 1;

// Members are destroyed in reverse order: handles first, then the backends that close
// the OS handles and end hidapi.
struct Library {
    std::mutex mutex;
    HidBackend hid;
    EmulatorBackend emulator;
    HandleRegistry handles;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

int Open(int vid, int pid) {
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    std::shared_ptr<Device> device;
    // Read at every open, so a process can switch between the display and the emulator.
    if (const char* directory = Variable(kEmulatorVariable)) {
        const char* faults = Variable(kFaultVariable);
        device = library.emulator.Open(directory, faults != nullptr ? faults : "", vid, pid);
    } else {
        device = library.hid.Open(vid, pid);
    }
    library.handles.ForgetUnusable();
    return device ? library.handles.Share(std::move(device)) : kNoHandle;
}

void Close(int handle) {
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    library.handles.Release(handle);
}

int Write(int handle, const unsigned char* data, int count, int* written) {
    if (data == nullptr || count != static_cast<int>(kPacketSize)) {
        return kFailure;
    }
    Packet packet;
    std::copy_n(data, kPacketSize, packet.begin());
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    const auto device = library.handles.Find(handle);
    if (!device || !device->Write(packet)) {
        return kFailure;
    }
    if (written != nullptr) {
        *written = count;
    }
    return kSuccess;
}

int Read(int handle, unsigned char* data, int count, int* read) {
    if (data == nullptr || count <= 0) {
        return kFailure;
    }
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    const auto device = library.handles.Find(handle);
    const std::size_t received =
        device ? device->Read(std::span(data, static_cast<std::size_t>(count))) : 0;
    if (received == 0) {
        return kFailure;
    }
    if (read != nullptr) {
        *read = static_cast<int>(received);
    }
    return kSuccess;
}

template <typename Result, typename Call>
Result Guarded(Result failure, Call call) {
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

}  // namespace
}  // namespace lumera::zrusb

namespace zr = lumera::zrusb;

extern "C" int OpenUSBDevice(int vid, int pid) {
    return zr::Guarded(zr::kNoHandle, [&] { return zr::Open(vid, pid); });
}

extern "C" void CloseUSBDevice(int handle) {
    zr::Guarded(0, [&] {
        zr::Close(handle);
        return 0;
    });
}

extern "C" int WriteUSB(int handle, const unsigned char* data, int count, int* written) {
    if (written != nullptr) {
        *written = 0;
    }
    return zr::Guarded(zr::kFailure, [&] { return zr::Write(handle, data, count, written); });
}

extern "C" int ReadUSB(int handle, unsigned char* data, int count, int* read) {
    if (read != nullptr) {
        *read = 0;
    }
    return zr::Guarded(zr::kFailure, [&] { return zr::Read(handle, data, count, read); });
}
