#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "zrusb/emulated_endpoint.h"

struct _UMockdevTestbed;
struct _UMockdevIoctlBase;
struct _UMockdevIoctlClient;

namespace lumera::testing {

// Two upper-case hex digits a byte, as the packet log writes them.
std::string Hex(std::string_view bytes);

// umockdev's preload library, which a program needs to see the display.
inline constexpr char kUmockdevPreload[] = "libumockdev-preload.so.0";

// The display stood up as a kernel device in a umockdev test bed: the USB device with its
// strings, its HID interface, the HID device with its report descriptor, and a
// /dev/hidrawN node whose reads, writes and hidraw ioctls the emulated display's own
// endpoint answers (packets.log and eeprom.bin in `folder`, faults as ZRUSB_EMULATOR_FAULT
// writes them). Programs started while it stands run under umockdev's preload (LD_PRELOAD
// and UMOCKDEV_DIR are set for them): the unmodified hidapi and libudev see the display.
//
// poll() is not intercepted by umockdev; the node is a pseudo-terminal, and the fixture
// keeps one byte waiting on it for each input report queued, so the kernel's own poll on
// it says when a report can be read.
class KernelDisplay {
public:
    struct Options {
        std::filesystem::path folder;
        bool numbered = false;  // the descriptor declares report ID 1
        std::string faults;
        // Opening fails with this error number at hidapi's first ioctl (0: it does not).
        int refuseOpen = 0;
        // A recorded description to stand up instead of the built-in one.
        std::string description;
    };

    explicit KernelDisplay(Options options);
    ~KernelDisplay();
    KernelDisplay(const KernelDisplay&) = delete;
    KernelDisplay& operator=(const KernelDisplay&) = delete;

    // The node as programs name it, and the file behind it in the test bed.
    std::string Node() const;
    std::filesystem::path NodeFile() const;
    // The description the display was stood up from, as umockdev-record writes one.
    const std::string& Description() const { return description_; }

private:
    // One open file of the node, with its own queue of input reports as hidraw keeps one.
    struct Client {
        unsigned plugging;
        std::deque<std::vector<unsigned char>> queue;  // an empty report: the reply was lost
        int connection = -1;        // the fixture's own handle on the client's socket
        std::size_t signalled = 0;  // readiness bytes written for it and not yet taken back
    };
    // The pseudo-terminal behind one plugging's node: a byte written to the master makes
    // the node readable; reading it back from the slave makes it quiet again.
    struct Pty {
        int master;
        int slave;
    };

    static int OnIoctl(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self);
    static int OnRead(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self);
    static int OnWrite(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self);
    static void OnConnected(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self);
    static void OnVanished(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self);

    using Clients = std::map<_UMockdevIoctlClient*, Client>;

    void Plug();
    void Unplug();
    // Drops the files closed since the last look, as the kernel drops them on close; with
    // the lock held.
    void ForgetClosed();
    Clients::iterator Forget(Clients::iterator client);
    long Ioctl(_UMockdevIoctlClient* client, int& error) const;
    long Read(_UMockdevIoctlClient* client, int& error);
    long Write(_UMockdevIoctlClient* client, int& error);
    // A late reply, queued when its time comes; Enqueue with the lock held.
    void Queue(_UMockdevIoctlClient* client, std::vector<unsigned char> report);
    void Enqueue(Client& reader, std::vector<unsigned char> report);

    Options options_;
    zrusb::EmulatedEndpoint endpoint_;
    std::vector<unsigned char> reportDescriptor_;
    std::string description_;
    _UMockdevTestbed* testbed_ = nullptr;
    _UMockdevIoctlBase* handler_ = nullptr;
    std::mutex mutex_;
    Clients clients_;
    std::map<unsigned, Pty> ptys_;
    std::vector<std::thread> lateReplies_;
    std::string sanitizerOptions_;
    unsigned plugging_ = 0;
    bool plugged_ = false;
};

}  // namespace lumera::testing
