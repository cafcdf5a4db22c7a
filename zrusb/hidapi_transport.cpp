#include "zrusb/hidapi_transport.h"

#include <hidapi.h>

#include <cerrno>
#include <cstring>

#include "zrusb/report_descriptor.h"

namespace lumera::zrusb {

namespace {

// hidapi's strings are wide characters (UTF-32 on Linux); the library speaks UTF-8.
std::string Utf8(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) {
        const auto code = static_cast<char32_t>(*text);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string ErrorOf(hid_device* device) {
    const std::string text = Utf8(hid_error(device));
    return text.empty() ? std::string(std::strerror(errno)) : text;
}

class HidapiConnection : public HidConnection {
public:
    explicit HidapiConnection(hid_device* device) : device_(device) {}
    ~HidapiConnection() override { hid_close(device_); }
    HidapiConnection(const HidapiConnection&) = delete;
    HidapiConnection& operator=(const HidapiConnection&) = delete;

    int Write(std::span<const unsigned char> report) override {
        const int written = hid_write(device_, report.data(), report.size());
        Remember(written);
        return written;
    }
    int Read(std::span<unsigned char> report, int timeoutMs) override {
        const int received = hid_read_timeout(device_, report.data(), report.size(), timeoutMs);
        Remember(received);
        return received;
    }
    std::string Error() const override { return error_; }

private:
    void Remember(int result) {
        if (result < 0) {
            error_ = ErrorOf(device_);
        }
    }

    hid_device* device_;
    std::string error_;
};

}  // namespace

HidapiTransport::~HidapiTransport() {
    if (initialised_) {
        hid_exit();
    }
}

bool HidapiTransport::Initialise() {
    if (!initialised_) {
        initialised_ = hid_init() == 0;
        if (!initialised_) {
            error_ = "hidapi could not start: " + ErrorOf(nullptr);
        }
    }
    return initialised_;
}

std::vector<HidDeviceInfo> HidapiTransport::Enumerate(int vid, int pid) {
    std::vector<HidDeviceInfo> found;
    if (!Initialise()) {
        return found;
    }
    hid_device_info* list =
        hid_enumerate(static_cast<unsigned short>(vid), static_cast<unsigned short>(pid));
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        const auto descriptor = HidrawReportDescriptor(info->path);
        found.push_back({info->path, Utf8(info->manufacturer_string), Utf8(info->product_string),
                         DeclaresReportIds(descriptor), OutputReportId(descriptor)});
    }
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<HidConnection> HidapiTransport::OpenPath(const std::string& path) {
    if (!Initialise()) {
        return nullptr;
    }
    errno = 0;
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        errorNumber_ = errno != 0 ? errno : ENODEV;
        error_ = std::strerror(errorNumber_);
        return nullptr;
    }
    errorNumber_ = 0;
    return std::make_unique<HidapiConnection>(device);
}

}  // namespace lumera::zrusb
