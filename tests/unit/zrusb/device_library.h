#pragma once

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "emulated_display.h"

namespace lumera::testing {

constexpr int kVendor = 0x0C45;
constexpr int kProduct = 0x7160;
using Bytes = std::vector<std::uint8_t>;
using Packet = std::array<unsigned char, 9>;

inline std::string LibraryPath() {
    return std::string(LUMERA_BIN_DIR) + "/libZRUSB.so";
}

// libZRUSB.so loaded and bound by name, the way the program does it.
struct DeviceLibrary {
    int (*open)(int vid, int pid);
    void (*close)(int handle);
    int (*write)(int handle, const unsigned char* data, int count, int* written);
    int (*read)(int handle, unsigned char* data, int count, int* read);
    int (*list)(int vid, int pid, char* text, int size);
};

inline const DeviceLibrary& Zrusb() {
    static const DeviceLibrary library = [] {
        void* handle = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            throw std::runtime_error(dlerror());
        }
        const auto bind = [&]<typename Function>(Function, const char* name) {
            if (void* symbol = dlsym(handle, name)) {
                return reinterpret_cast<Function>(symbol);
            }
            throw std::runtime_error(std::string("missing ") + name);
        };
        return DeviceLibrary{
            bind(DeviceLibrary{}.open, "OpenUSBDevice"),
            bind(DeviceLibrary{}.close, "CloseUSBDevice"), bind(DeviceLibrary{}.write, "WriteUSB"),
            bind(DeviceLibrary{}.read, "ReadUSB"), bind(DeviceLibrary{}.list, "ListUSBDevices")};
    }();
    return library;
}

// Packets built here as the program builds them: report id 0, seven bytes, checksum.
inline Packet Command(std::array<std::size_t, 7> bytes) {
    Packet packet{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        packet[i + 1] = static_cast<unsigned char>(bytes[i]);
        packet[8] = static_cast<unsigned char>(packet[8] + packet[i + 1]);
    }
    return packet;
}
inline int CapacityClass(std::size_t size) {
    return size < 256 ? 1 : size < 512 ? 2 : size < 1024 ? 3 : size < 2048 ? 4 : 0;
}
inline Packet Probe(std::size_t size) {
    const std::size_t divisor = 8 * std::max(CapacityClass(size), 1);
    return Command({0x40, 0x40, 1, std::max<std::size_t>(size / divisor, 10)});
}
inline Packet Size(int capacityClass, std::size_t size) {
    return Command({0x40, 0x40, static_cast<std::size_t>(capacityClass), size & 0xFF, size >> 8});
}
inline Packet Data(const Bytes& b, std::size_t i) {
    return Command({0x40, 0x23, b[i], b[i + 1], b[i + 2], b[i + 3], b[i + 4]});
}
inline Packet Final(const Bytes& b, std::size_t i, std::size_t count) {
    const auto at = [&](std::size_t k) -> std::size_t { return k < count ? b[i + k] : 0; };
    return Command({0x23, 0x23, count, at(0), at(1), at(2), at(3)});
}
inline std::vector<Packet> TransferPackets(Bytes image, bool chinese) {
    std::vector<Packet> packets{Probe(image.size()),
                                Size(CapacityClass(image.size()), image.size())};
    if (chinese) {
        for (auto& byte : image) {
            byte = static_cast<unsigned char>((byte + 0x5B) ^ 0xFF);
        }
    }
    std::size_t next = 0;
    for (; next + 5 <= image.size(); next += 5) {
        packets.push_back(Data(image, next));
    }
    packets.push_back(Final(image, next, image.size() - next));
    return packets;
}

template <typename Range>
std::string Hex(const Range& bytes) {
    std::string text;
    for (const unsigned char byte : bytes) {
        text += "0123456789ABCDEF"[byte >> 4];
        text += "0123456789ABCDEF"[byte & 0x0F];
    }
    return text;
}

// One open, write, read, close exchange as the program makes it: "open" or "write" when
// that step failed, "read" when no reply came, else the reply status in hex.
inline std::string Exchange(const Packet& packet) {
    const auto& usb = Zrusb();
    const int handle = usb.open(kVendor, kProduct);
    if (handle == -1) {
        return "open";
    }
    int count = 0;
    std::array<unsigned char, 3> reply{};
    std::string outcome = "write";
    if (usb.write(handle, packet.data(), 9, &count) != 0) {
        outcome =
            usb.read(handle, reply.data(), 3, &count) != 0 ? Hex(std::array{reply[2]}) : "read";
    }
    usb.close(handle);
    return outcome;
}

// Exchanges until one fails the way that ends the program's transfer (a lost reply does
// not); the outcomes joined by blanks.
inline std::string Transfer(const std::vector<Packet>& packets) {
    std::string trace;
    for (const auto& packet : packets) {
        const std::string outcome = Exchange(packet);
        trace += (trace.empty() ? "" : " ") + outcome;
        if (outcome != "80" && outcome != "read") {
            break;
        }
    }
    return trace;
}

// The library's listing of the display's USB identity, one line per device.
inline std::vector<std::string> ListedDevices() {
    std::array<char, 4096> text{};
    const int length = Zrusb().list(kVendor, kProduct, text.data(), static_cast<int>(text.size()));
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < std::min<int>(length, static_cast<int>(text.size()) - 1); ++i) {
        if (text[i] == '\n') {
            lines.push_back(std::exchange(line, {}));
        } else {
            line += text[i];
        }
    }
    return lines;
}

}  // namespace lumera::testing
