#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumera::fuzz {

// Takes a fuzz input apart front to back; once it is used up every read gives zeros or an
// empty text, so a target never needs to check the size itself.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int n = 0; n < 4; ++n) {
            value = value << 8 | Byte();
        }
        return static_cast<std::int32_t>(value);
    }

    // The next `length` bytes, or as many as are left.
    std::string_view Text(std::size_t length) {
        const std::string_view text = rest_.substr(0, length);
        rest_.remove_prefix(text.size());
        return text;
    }

    std::string_view Rest() { return Text(rest_.size()); }
    bool Empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

}  // namespace lumera::fuzz
