#include "files/led_scramble.h"

#include <cstddef>

namespace lumera {

void ScrambleLedBytes(std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^
                                     static_cast<unsigned char>((i + 1) & 0xFF));
    }
}

}  // namespace lumera
