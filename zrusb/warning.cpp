#include "zrusb/warning.h"

#include <cstdio>
#include <string>

namespace lumera::zrusb {

void Warn(std::string_view message) {
    const std::string line = "ZRUSB: " + std::string(message) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace lumera::zrusb
