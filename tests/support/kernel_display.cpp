#include "kernel_display.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "emulated_display.h"
#include "zrusb/fault_plan.h"
#include "zrusb/protocol.h"

namespace lumera::testing {

namespace {

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __asan_init();
#endif

// umockdev's preload, behind AddressSanitizer's runtime where the programs carry it: that
// runtime refuses to start unless it comes first.
std::string Preload() {
#if defined(__SANITIZE_ADDRESS__)
    Dl_info runtime{};
    if (dladdr(reinterpret_cast<void*>(&__asan_init), &runtime) != 0 &&
        runtime.dli_fname != nullptr) {
        return std::string(runtime.dli_fname) + ":" + kUmockdevPreload;
    }
#endif
    return kUmockdevPreload;
}

// hidapi 0.13.1 loses its error text when the open fails at its first ioctl (it frees the
// device, then records the error on it), and the emulated refusal fails there: the leak
// checker would report the system's library instead of the program under test.
void IgnoreHidapiRefusalLeak(std::string& saved) {
#if defined(__SANITIZE_ADDRESS__)
    const char* options = std::getenv("ASAN_OPTIONS");
    saved = options != nullptr ? options : "";
    setenv("ASAN_OPTIONS", (saved + ":detect_leaks=0").c_str(), 1);
#else
    static_cast<void>(saved);
#endif
}
constexpr const char* kUsbDevice = "/devices/pci0000:00/0000:00:14.0/usb1/1-1";

// A vendor page with one 8-byte input and one 8-byte output report; the numbered variant
// gives both report ID 1.
const std::vector<unsigned char> kDescriptor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                             0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01,
                                             0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
constexpr std::size_t kCollectionEnd = 7;
const std::vector<unsigned char> kReportIdOne{0x85, 0x01};

std::vector<unsigned char> Descriptor(bool numbered) {
    auto descriptor = kDescriptor;
    if (numbered) {
        descriptor.insert(descriptor.begin() + kCollectionEnd, kReportIdOne.begin(),
                          kReportIdOne.end());
    }
    return descriptor;
}

}  // namespace

std::string Hex(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        text += zrusb::HexByte(static_cast<unsigned char>(byte));
    }
    return text;
}

namespace {

// The display as umockdev-record writes a real one: the USB device, its HID interface, the
// HID device and its hidraw node, linked to the HID device as the kernel links it (hidapi
// finds the descriptor through that link). Each plugging is a new HID device and node.
std::string BuiltInDescription(bool numbered, unsigned plugging) {
    const std::string usb = kUsbDevice;
    const std::string hid = usb + "/1-1:1.0/0003:0C45:7160.000" + std::to_string(plugging);
    const std::string hidraw = "hidraw" + std::to_string(plugging - 1);
    const std::vector<unsigned char> descriptor = Descriptor(numbered);
    return "P: " + usb +
           "\nN: bus/usb/001/002\nE: DEVNAME=/dev/bus/usb/001/002\nE: DEVTYPE=usb_device\n"
           "E: DRIVER=usb\nE: PRODUCT=c45/7160/100\nE: SUBSYSTEM=usb\nA: idVendor=0c45\n"
           "A: idProduct=7160\nA: bcdDevice=0100\nA: manufacturer=Lumera\n"
           "A: product=Kernel LED display\nA: busnum=1\nA: devnum=2\n\n"
           "P: " +
           usb +
           "/1-1:1.0\nE: DEVTYPE=usb_interface\nE: DRIVER=usbhid\nE: INTERFACE=3/0/0\n"
           "E: SUBSYSTEM=usb\nA: bInterfaceNumber=00\nA: bInterfaceClass=03\n\n"
           "P: " +
           hid +
           "\nE: DRIVER=hid-generic\nE: HID_ID=0003:00000C45:00007160\n"
           "E: HID_NAME=Lumera Kernel LED display\nE: HID_PHYS=usb-0000:00:14.0-1/input0\n"
           "E: HID_UNIQ=\nE: SUBSYSTEM=hid\nH: report_descriptor=" +
           Hex({reinterpret_cast<const char*>(descriptor.data()), descriptor.size()}) +
           "\n\nP: " + hid + "/hidraw/" + hidraw + "\nN: " + hidraw + "\nE: DEVNAME=/dev/" +
           hidraw + "\nE: MAJOR=241\nE: MINOR=" + std::to_string(plugging - 1) +
           "\nA: dev=241:" + std::to_string(plugging - 1) +
           "\nE: SUBSYSTEM=hidraw\nL: device=../../../" + hid.substr(hid.rfind('/') + 1) + "\n";
}

void Complete(_UMockdevIoctlClient* client, long result, int error) {
    umockdev_ioctl_client_complete(client, result, error);
}

// Copies `bytes` into the memory the client's ioctl argument points to.
bool CopyToClient(_UMockdevIoctlClient* client, const void* bytes, std::size_t size) {
    UMockdevIoctlData* pointed =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr);
    if (pointed == nullptr) {
        return false;
    }
    std::memcpy(pointed->data, bytes, size);
    g_object_unref(pointed);
    return true;
}

// umockdev keeps each client's connection to itself; its private part starts with the
// handler the client belongs to and that connection.
struct ClientInternals {
    UMockdevIoctlBase* handler;
    GIOStream* connection;
};

// The fixture's own handle on the socket a client's process talks through, or -1. umockdev
// stops reading a client whose process died before a request's answer reached it, so it
// never sees that one close; the socket itself hangs up the moment the process is gone.
int WatchConnection(UMockdevIoctlClient* client, UMockdevIoctlBase* handler) {
    const auto* internals = reinterpret_cast<const ClientInternals*>(client->priv);
    if (internals == nullptr || internals->handler != handler ||
        !G_IS_SOCKET_CONNECTION(internals->connection)) {
        return -1;
    }
    GSocket* socket = g_socket_connection_get_socket(G_SOCKET_CONNECTION(internals->connection));
    return fcntl(g_socket_get_fd(socket), F_DUPFD_CLOEXEC, 0);
}

void StopWatching(int connection) {
    if (connection >= 0) {
        close(connection);
    }
}

bool HungUp(int connection) {
    pollfd watched{connection, POLLRDHUP, 0};
    return connection >= 0 && poll(&watched, 1, 0) == 1 &&
           (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

// Reads `count` readiness bytes back from the slave. A byte written to the master reaches
// the slave a moment later, so one written just now may not be there yet; it will come.
void TakeReadiness(int slave, std::size_t count) {
    std::vector<char> bytes(count);
    for (std::size_t taken = 0; taken < count;) {
        pollfd ready{slave, POLLIN, 0};
        if (poll(&ready, 1, -1) < 0 && errno != EINTR) {
            return;
        }
        const ssize_t got = read(slave, bytes.data(), count - taken);
        taken += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

}  // namespace

KernelDisplay::KernelDisplay(Options options)
    : options_(std::move(options)),
      endpoint_(options_.folder),
      reportDescriptor_(Descriptor(options_.numbered)) {
    auto parsed = zrusb::FaultPlan::Parse(options_.faults + (options_.numbered ? ",numbered" : ""));
    if (!parsed.rejectedItems.empty()) {
        throw std::invalid_argument("malformed fault " + parsed.rejectedItems.front());
    }
    endpoint_.UseFaults(std::move(parsed.plan));
    std::filesystem::create_directories(options_.folder);
    testbed_ = umockdev_testbed_new();
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(OnRead), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(OnWrite), this);
    g_signal_connect(handler_, "client-connected", G_CALLBACK(OnConnected), this);
    g_signal_connect(handler_, "client-vanished", G_CALLBACK(OnVanished), this);
    const std::scoped_lock lock(mutex_);
    Plug();
    // Every byte must go through hidapi, not the emulated transport.
    StopEmulating();
    setenv("LD_PRELOAD", Preload().c_str(), 1);
    if (options_.refuseOpen != 0) {
        IgnoreHidapiRefusalLeak(sanitizerOptions_);
    }
}

KernelDisplay::~KernelDisplay() {
    unsetenv("LD_PRELOAD");
    if (!sanitizerOptions_.empty()) {
        setenv("ASAN_OPTIONS", sanitizerOptions_.c_str(), 1);
    }
    for (auto& reply : lateReplies_) {
        reply.join();
    }
    {
        const std::scoped_lock lock(mutex_);
        for (const auto& [client, state] : clients_) {
            StopWatching(state.connection);
            g_object_unref(client);
        }
        clients_.clear();
    }
    g_object_unref(testbed_);
    g_object_unref(handler_);
    for (const auto& [plugging, pty] : ptys_) {
        close(pty.slave);
    }
}

std::string KernelDisplay::Node() const {
    constexpr std::string_view kNodeTag = "\nN: ";
    const auto start = description_.find(std::string(kNodeTag) + "hidraw") + kNodeTag.size();
    return "/dev/" + description_.substr(start, description_.find('\n', start) - start);
}

std::filesystem::path KernelDisplay::NodeFile() const {
    char* root = umockdev_testbed_get_root_dir(testbed_);
    std::filesystem::path file = std::string(root) + Node();
    g_free(root);
    return file;
}

void KernelDisplay::Plug() {
    ++plugging_;
    description_ = options_.description.empty() ? BuiltInDescription(options_.numbered, plugging_)
                                                : options_.description;
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, description_.c_str(), &error) ||
        !umockdev_testbed_attach_ioctl(testbed_, Node().c_str(), handler_, &error)) {
        const std::string why = error != nullptr ? error->message : "unknown";
        g_clear_error(&error);
        throw std::runtime_error("cannot stand the display up: " + why);
    }
    const int master = umockdev_testbed_get_dev_fd(testbed_, Node().c_str());
    const int slave =
        open(std::filesystem::read_symlink(NodeFile()).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ptys_[plugging_] = {master, slave};
    plugged_ = true;
}

void KernelDisplay::Unplug() {
    // Children first: removing a parent leaves its children's bus links behind, and those
    // would stand in the way of the next plugging.
    std::vector<std::string> devices;
    for (auto at = description_.find("P: "); at != std::string::npos;
         at = description_.find("\nP: ", at + 1)) {
        const auto start = description_.find('/', at);
        devices.push_back("/sys" +
                          description_.substr(start, description_.find('\n', start) - start));
    }
    for (auto device = devices.rbegin(); device != devices.rend(); ++device) {
        umockdev_testbed_remove_device(testbed_, device->c_str());
    }
    plugged_ = false;
}

int KernelDisplay::OnIoctl(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    int error = 0;
    const long result = static_cast<KernelDisplay*>(self)->Ioctl(client, error);
    Complete(client, result, error);
    return TRUE;
}

int KernelDisplay::OnRead(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    int error = 0;
    const long result = static_cast<KernelDisplay*>(self)->Read(client, error);
    Complete(client, result, error);
    return TRUE;
}

int KernelDisplay::OnWrite(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    int error = 0;
    const long result = static_cast<KernelDisplay*>(self)->Write(client, error);
    Complete(client, result, error);
    return TRUE;
}

void KernelDisplay::OnConnected(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    auto& display = *static_cast<KernelDisplay*>(self);
    const std::scoped_lock lock(display.mutex_);
    display.ForgetClosed();
    // Held until the fixture sees the file closed: umockdev frees a client once it is gone,
    // and a freed one could not be asked whether it still is.
    g_object_ref(client);
    display.clients_[client] = {display.plugging_, {}, WatchConnection(client, display.handler_)};
}

void KernelDisplay::OnVanished(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    auto& display = *static_cast<KernelDisplay*>(self);
    const std::scoped_lock lock(display.mutex_);
    if (const auto found = display.clients_.find(client); found != display.clients_.end()) {
        display.Forget(found);
    }
}

void KernelDisplay::ForgetClosed() {
    // umockdev 0.17 lets a client go without signalling it, killed or not: each event looks
    // for the files closed meanwhile.
    for (auto client = clients_.begin(); client != clients_.end();) {
        const bool open = umockdev_ioctl_client_get_connected(client->first) &&
                          !HungUp(client->second.connection);
        client = open ? std::next(client) : Forget(client);
    }
}

KernelDisplay::Clients::iterator KernelDisplay::Forget(Clients::iterator client) {
    // Closing a hidraw file discards its queue; its readiness bytes go with it, or they
    // would wake the next file's reader with nothing to read.
    TakeReadiness(ptys_[client->second.plugging].slave, client->second.signalled);
    StopWatching(client->second.connection);
    g_object_unref(client->first);
    return clients_.erase(client);
}

// The hidraw ioctls hidapi and the kernel's own tools use; any other is not a hidraw one.
long KernelDisplay::Ioctl(_UMockdevIoctlClient* client, int& error) const {
    if (options_.refuseOpen != 0) {
        error = options_.refuseOpen;
        return -1;
    }
    switch (umockdev_ioctl_client_get_request(client)) {
        case HIDIOCGRDESCSIZE: {
            const int size = static_cast<int>(reportDescriptor_.size());
            return CopyToClient(client, &size, sizeof size) ? 0 : (error = EFAULT, -1);
        }
        case HIDIOCGRDESC: {
            hidraw_report_descriptor descriptor{};
            descriptor.size = static_cast<__u32>(reportDescriptor_.size());
            std::ranges::copy(reportDescriptor_, descriptor.value);
            return CopyToClient(client, &descriptor, sizeof descriptor) ? 0 : (error = EFAULT, -1);
        }
        case HIDIOCGRAWINFO: {
            const hidraw_devinfo info{BUS_USB, zrusb::kDisplayVendorId,
                                      static_cast<__s16>(zrusb::kDisplayProductId)};
            return CopyToClient(client, &info, sizeof info) ? 0 : (error = EFAULT, -1);
        }
        default:
            error = ENOTTY;
            return -1;
    }
}

long KernelDisplay::Read(_UMockdevIoctlClient* client, int& error) {
    const std::scoped_lock lock(mutex_);
    ForgetClosed();
    const auto found = clients_.find(client);
    // hidraw answers a read on a device that is gone with EIO.
    if (found == clients_.end() || !plugged_ || found->second.plugging != plugging_) {
        error = EIO;
        return -1;
    }
    auto& queue = found->second.queue;
    if (queue.empty()) {
        error = EAGAIN;
        return -1;
    }
    const auto report = std::move(queue.front());
    queue.pop_front();
    if (found->second.signalled > 0) {
        TakeReadiness(ptys_[plugging_].slave, 1);
        --found->second.signalled;
    }
    if (report.empty()) {
        error = EIO;
        return -1;
    }
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    const auto count = std::min(report.size(), static_cast<std::size_t>(buffer->data_len));
    std::copy_n(report.begin(), count, buffer->data);
    return static_cast<long>(count);
}

long KernelDisplay::Write(_UMockdevIoctlClient* client, int& error) {
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    const std::vector<unsigned char> report(buffer->data, buffer->data + buffer->data_len);
    const std::scoped_lock lock(mutex_);
    ForgetClosed();
    const auto found = clients_.find(client);
    if (found == clients_.end() || !plugged_ || found->second.plugging != plugging_) {
        error = ENODEV;
        return -1;
    }
    const std::uint64_t exchange = endpoint_.BeginExchange();
    const zrusb::FaultPlan& faults = endpoint_.Faults();
    long result = static_cast<long>(report.size());
    if (faults.Has(zrusb::FaultKind::Unplug, exchange)) {
        Unplug();
        error = ENODEV;
        result = -1;
    } else if (faults.Has(zrusb::FaultKind::Write, exchange)) {
        error = EIO;
        result = -1;
    } else if (auto taken = endpoint_.Take(report, exchange); !taken.error.empty()) {
        error = EIO;
        result = -1;
    } else if (taken.reply && taken.reply->delay.count() == 0) {
        Enqueue(found->second,
                taken.reply->lost ? std::vector<unsigned char>{} : std::move(taken.reply->report));
    } else if (taken.reply) {
        g_object_ref(client);
        lateReplies_.emplace_back([this, client, reply = std::move(*taken.reply)]() mutable {
            std::this_thread::sleep_for(reply.delay);
            Queue(client, reply.lost ? std::vector<unsigned char>{} : std::move(reply.report));
            g_object_unref(client);
        });
    }
    if (faults.Has(zrusb::FaultKind::Replug, exchange)) {
        if (plugged_) {
            Unplug();
        }
        Plug();
    }
    return result;
}

void KernelDisplay::Queue(_UMockdevIoctlClient* client, std::vector<unsigned char> report) {
    const std::scoped_lock lock(mutex_);
    ForgetClosed();
    const auto found = clients_.find(client);
    // A reply for a file closed meanwhile goes nowhere, as in the kernel.
    if (found != clients_.end()) {
        Enqueue(found->second, std::move(report));
    }
}

void KernelDisplay::Enqueue(Client& reader, std::vector<unsigned char> report) {
    reader.queue.push_back(std::move(report));
    const char ready = 1;
    if (::write(ptys_[reader.plugging].master, &ready, 1) == 1) {
        ++reader.signalled;
    }
}

}  // namespace lumera::testing
