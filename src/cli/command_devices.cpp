#include <array>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_table_io.h"
#include "cli/command_line.h"
#include "download/command_packets.h"
#include "download/display_connection.h"
#include "download/stream_prompter.h"
#include "download/usb_transfer.h"
#include "outside/device_binding.h"

namespace lumera::cli {
namespace {

constexpr char kHelp[] =
    "usage: lumera-cli devices [--probe]\n"
    "\n"
    "Lists every HID device answering to the display's USB identity 0C45:7160, as the\n"
    "device library beside the program sees it: its path, manufacturer and product, and\n"
    "whether this user can open it: if not, the system's reason, and the one-line fix\n"
    "when the reason is a lack of permission. Exit 0 when one can be opened, 1 when\n"
    "none is plugged in or none can be opened.\n"
    "\n"
    "--probe  also sends the display the probe that starts every transfer and prints the\n"
    "         8 bytes of the output report that went out and the reply that came back\n"
    "         (report number first), in hex.\n"
    "\n"
    "With ZRUSB_EMULATOR=DIR the library lists the emulated display kept in DIR.\n"
    "ZRUSB_TRACE=FILE makes the library append every write and read to FILE.\n";

// Path, manufacturer, product, openable, why not, the system's error number.
constexpr std::size_t kListingFields = 6;

struct Listed {
    std::string path;
    std::string manufacturer;
    std::string product;
    bool openable = false;
    std::string whyNot;
    int whyNotNumber = 0;
};

// Only a refusal for lack of permission is what the udev rule mends.
bool NeedsUdevRule(const Listed& device) {
    return device.whyNotNumber == EACCES || device.whyNotNumber == EPERM;
}

std::vector<Listed> ParseListing(const std::string& text) {
    std::vector<Listed> devices;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) {
            fields.push_back(field);
        }
        fields.resize(kListingFields);
        devices.push_back({fields[0], fields[1], fields[2], fields[3] == "1", fields[4],
                           std::atoi(fields[5].c_str())});
    }
    return devices;
}

std::optional<std::string> ListDevices(ListUSBDevicesFunction list) {
    const int length = list(kDisplayVendorId, kDisplayProductId, nullptr, 0);
    if (length < 0) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied =
        list(kDisplayVendorId, kDisplayProductId, text.data(), static_cast<int>(text.size()));
    if (copied < 0) {
        return std::nullopt;
    }
    // The set may have changed between the two calls; take what the second one copied.
    text.resize(std::min(static_cast<std::size_t>(copied), text.size() - 1));
    return text;
}

template <typename Bytes>
std::string Hex(const Bytes& bytes) {
    std::string text;
    for (const auto byte : bytes) {
        text += text.empty() ? "" : " ";
        text += "0123456789ABCDEF"[byte >> 4];
        text += "0123456789ABCDEF"[byte & 0x0F];
    }
    return text;
}

constexpr char32_t kLastC0Control = 0x1F;
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kLastC1Control = 0x9F;

// The length of the UTF-8 sequence that starts `text` and its code point, or 0 when the
// bytes there are no well-formed sequence (overlong forms and surrogates included).
std::size_t Utf8Sequence(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text.front());
    struct Form {
        unsigned char firstLead, lastLead;
        std::size_t length;
        unsigned char lowSecond, highSecond;  // the second byte's range after this lead
    };
    static constexpr Form kForms[] = {
        {0x00, 0x7F, 1, 0, 0},       {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
        {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
        {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
    };
    for (const Form& form : kForms) {
        if (lead < form.firstLead || lead > form.lastLead) {
            continue;
        }
        if (text.size() < form.length) {
            return 0;
        }
        codePoint = form.length == 1 ? lead : lead & (0xFF >> (form.length + 1));
        for (std::size_t i = 1; i < form.length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            const bool fits = i == 1 ? byte >= form.lowSecond && byte <= form.highSecond
                                     : byte >= 0x80 && byte <= 0xBF;
            if (!fits) {
                return 0;
            }
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        return form.length;
    }
    return 0;
}

bool IsControl(char32_t codePoint) {
    return codePoint <= kLastC0Control || (codePoint >= kDelete && codePoint <= kLastC1Control);
}

// A device's own words, which a hostile device could fill with escape sequences for the
// terminal: control characters and bytes that are no UTF-8 become \xHH, a backslash \\.
std::string Printable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(text.substr(i), codePoint);
        if (length == 0 || IsControl(codePoint)) {
            const auto byte = static_cast<unsigned char>(text[i]);
            out += "\\x" + Hex(std::array{byte});
            i += 1;
        } else if (codePoint == '\\') {
            out += "\\\\";
            i += 1;
        } else {
            out += text.substr(i, length);
            i += length;
        }
    }
    return out;
}

// One exchange as a transfer makes it: open, write, read, close. Exit code 0 on a reply.
int Probe(const DeviceEntryPoints& device) {
    auto probe = download::ProbeCommand(0);
    const download::Exchange exchange = download::ExchangeCommand(probe, device);
    // The output report: the packet without its report number 0.
    const auto sent = std::span(probe).subspan(1);
    switch (exchange.step) {
        case download::Exchange::NotOpened:
            std::cout << "probe: the display could not be opened\n";
            return 1;
        case download::Exchange::WriteFailed:
            std::cout << "out:   " << Hex(sent) << " (the write failed)\n";
            return 1;
        case download::Exchange::Unanswered:
            std::cout << "out:   " << Hex(sent) << '\n'
                      << "reply: none (no answer within the library's wait)\n";
            return 1;
        case download::Exchange::Answered:
            break;
    }
    std::cout << "out:   " << Hex(sent) << '\n'
              << "reply: "
              << Hex(std::span(exchange.reply).first(static_cast<std::size_t>(exchange.read)))
              << " (status " << Hex(std::array{exchange.reply[download::kStatusByte]}) << ")\n";
    return 0;
}

int RunDevices(const std::vector<std::string>& args) {
    CommandLine line("devices", kHelp);
    line.AddOption({"probe"});
    if (const auto exitCode = line.Parse(args)) {
        return *exitCode;
    }
    if (const std::vector<std::string> extra = line.Positional(); !extra.empty()) {
        return line.UsageError("unexpected argument '" + extra.front() + "'");
    }
    const bool probe = line.IsSet("probe");
    download::StreamPrompter report(std::cerr);
    const DeviceBinding binding = DeviceBinding::Bind(report);
    if (!binding.IsBound()) {
        return 1;
    }
    if (const auto folder = download::EmulatedDisplayFolder()) {
        std::cout << Printable(download::EmulatedDisplayNote(*folder)) << '\n';
    }
    const auto listing = binding.listDevices() ? ListDevices(binding.listDevices()) : std::nullopt;
    if (!listing) {
        std::cerr << "lumera-cli devices: the device library cannot list devices\n";
        return 1;
    }
    const auto devices = ParseListing(*listing);
    if (devices.empty()) {
        std::cout << "No display (USB 0C45:7160) is plugged in.\n";
        return 1;
    }
    bool anyOpenable = false;
    for (const auto& device : devices) {
        std::cout << Printable(device.path)
                  << "\n  manufacturer: " << Printable(device.manufacturer)
                  << "\n  product:      " << Printable(device.product) << '\n';
        if (device.openable) {
            std::cout << "  can be opened by this user\n";
        } else if (NeedsUdevRule(device)) {
            std::cout << "  cannot be opened by this user"
                      << (device.whyNot.empty() ? "" : " (" + Printable(device.whyNot) + ")")
                      << "; the fix, then replug the display:\n  " << download::kUdevRuleFixText
                      << '\n';
        } else {
            std::cout << "  cannot be opened: "
                      << (device.whyNot.empty() ? "the library gives no reason"
                                                : Printable(device.whyNot))
                      << '\n';
        }
        anyOpenable = anyOpenable || device.openable;
    }
    if (!anyOpenable) {
        return 1;
    }
    return probe ? Probe(binding.entryPoints()) : 0;
}

CliCommandRegistration registration{
    {"devices", "list the displays plugged in, and probe one", RunDevices}};

}  // namespace
}  // namespace lumera::cli
