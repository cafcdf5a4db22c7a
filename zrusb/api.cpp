// The library surface: four C entry points, and a listing of the displays, over the handle
// registry and the one backend, which reaches the display through hidapi or the emulator.
// Nothing may escape as a C++ exception, and every pointer from the caller is checked.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "zrusb/display_claim.h"
#include "zrusb/emulated_display_files.h"
#include "zrusb/emulated_transport.h"
#include "zrusb/handle_registry.h"
#include "zrusb/hid_backend.h"
#include "zrusb/hidapi_transport.h"
#include "zrusb/zrusb.h"

namespace lumera::zrusb {
namespace {

constexpr int kFailure = 0;
constexpr int kSuccess = 1;
constexpr int kClaimed = 1;
constexpr int kBusy = 0;

// Members are destroyed in reverse order: handles first, then the backend that closes the
// connections, then the transports (hidapi ends last).
struct Library {
    std::mutex mutex;
    std::shared_ptr<HidapiTransport> usb;
    std::shared_ptr<EmulatedTransport> emulator;
    HidBackend backend;
    HandleRegistry handles;
    std::unique_ptr<DisplayClaim> claim;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// Read at every open, so a process can switch between the display and the emulator. A new
// directory is a new emulated display, with its sequence and exchange count restarted.
std::shared_ptr<HidTransport> CurrentTransport(Library& library) {
    if (const char* directory = EmulatedDisplayFolder()) {
        if (!library.emulator || library.emulator->Directory() != directory) {
            library.emulator = std::make_shared<EmulatedTransport>(directory);
        }
        const char* faults = NonEmptyVariable(kEmulatorFaultVariable);
        library.emulator->UseFaults(faults != nullptr ? faults : "");
        return library.emulator;
    }
    if (!library.usb) {
        library.usb = std::make_shared<HidapiTransport>();
    }
    return library.usb;
}

int Open(int vid, int pid) {
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    auto device = library.backend.Open(CurrentTransport(library), vid, pid);
    library.handles.ForgetUnusable();
    return device ? library.handles.Share(std::move(device)) : kNoHandle;
}

// Tabs and line ends inside a field would break the listing's lines.
std::string Field(std::string text) {
    std::ranges::replace_if(
        text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

int List(int vid, int pid, char* text, int size) {
    if (size < 0 || (text == nullptr && size != 0)) {
        return kNoHandle;
    }
    Library& library = TheLibrary();
    std::string listing;
    {
        const std::scoped_lock lock(library.mutex);
        for (const auto& found : library.backend.List(CurrentTransport(library), vid, pid)) {
            listing += Field(found.info.path) + '\t' + Field(found.info.manufacturer) + '\t' +
                       Field(found.info.product) + '\t' + (found.openable ? '1' : '0') + '\t' +
                       Field(found.whyNot) + '\t' + std::to_string(found.whyNotNumber) + '\n';
        }
        library.handles.ForgetUnusable();
    }
    if (size > 0) {
        const std::size_t copied = std::min(listing.size(), static_cast<std::size_t>(size) - 1);
        std::memcpy(text, listing.data(), copied);
        text[copied] = '\0';
    }
    return static_cast<int>(listing.size());
}

int Claim(int vid, int pid, int waitMs) {
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    // A lock is per open file, so a claim still held would refuse this one.
    library.claim.reset();
    const auto transport = CurrentTransport(library);
    const auto found = transport->Enumerate(vid, pid);
    if (found.empty()) {
        return kNoHandle;
    }
    auto refusal = DisplayClaim::Refusal::None;
    library.claim =
        DisplayClaim::Take(transport->ClaimPath(found.front()), std::max(waitMs, 0), refusal);
    if (library.claim) {
        return kClaimed;
    }
    return refusal == DisplayClaim::Refusal::Busy ? kBusy : kNoHandle;
}

void Release() {
    Library& library = TheLibrary();
    const std::scoped_lock lock(library.mutex);
    library.claim.reset();
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

extern "C" int ListUSBDevices(int vid, int pid, char* text, int size) {
    return zr::Guarded(zr::kNoHandle, [&] { return zr::List(vid, pid, text, size); });
}

extern "C" int ReadUSB(int handle, unsigned char* data, int count, int* read) {
    if (read != nullptr) {
        *read = 0;
    }
    return zr::Guarded(zr::kFailure, [&] { return zr::Read(handle, data, count, read); });
}

extern "C" int ClaimUSBDevice(int vid, int pid, int waitMs) {
    return zr::Guarded(zr::kNoHandle, [&] { return zr::Claim(vid, pid, waitMs); });
}

extern "C" void ReleaseUSBDevice(void) {
    zr::Guarded(0, [] {
        zr::Release();
        return 0;
    });
}
