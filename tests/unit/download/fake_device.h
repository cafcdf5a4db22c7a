#pragma once

#include <map>
#include <vector>

#include "app/outside/device_binding_entry_points.h"
#include "download/command_packets.h"

namespace lumera::testing {

// A display behind plain function pointers, scripted per exchange (counted from 1 by
// opens). Global because the entry points are C functions without a context argument.
struct FakeDisplay {
    std::vector<download::CommandPacket> written;
    std::map<int, unsigned char> statusAt;  // reply status of exchange N (default 0x80)
    int failOpenAt = 0;
    int failWriteAt = 0;
    bool neverAnswers = false;
    int exchange = 0;
    int opens = 0;
    int closes = 0;

    static FakeDisplay& Reset() {
        instance() = FakeDisplay{};
        return instance();
    }
    static FakeDisplay& instance() {
        static FakeDisplay display;
        return display;
    }
    static DeviceEntryPoints EntryPoints() { return {&Open, &Close, &Write, &Read}; }

private:
    static int Open(int vendorId, int productId) {
        auto& self = instance();
        ++self.exchange;
        if (vendorId != kDisplayVendorId || productId != kDisplayProductId ||
            self.exchange == self.failOpenAt) {
            return -1;
        }
        ++self.opens;
        return 7;
    }
    static void Close(int) { ++instance().closes; }
    static int Write(int, const unsigned char* data, int count, int* written) {
        auto& self = instance();
        if (count != 9 || self.exchange == self.failWriteAt) {
            return 0;
        }
        download::CommandPacket packet;
        std::copy(data, data + 9, packet.begin());
        self.written.push_back(packet);
        *written = count;
        return 1;
    }
    static int Read(int, unsigned char* data, int count, int* read) {
        auto& self = instance();
        if (count != 3 || self.neverAnswers) {
            return 0;
        }
        const auto status = self.statusAt.find(self.exchange);
        data[0] = 0;
        data[1] = 0;
        data[2] = status == self.statusAt.end() ? 0x80 : status->second;
        *read = count;
        return 1;
    }
};

}  // namespace lumera::testing
