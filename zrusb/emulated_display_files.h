#pragma once

// Where the emulated display keeps what it holds: shared by the device library, which writes
// it, and the programs that show it. Header-only, so the library still needs only hidapi.

#include <cstdlib>

namespace lumera::zrusb {

// Names the emulated display's folder; the library reads it at every open.
inline constexpr char kEmulatorVariable[] = "ZRUSB_EMULATOR";
// Faults the emulated display injects (no device, failed write or read, a status byte).
inline constexpr char kEmulatorFaultVariable[] = "ZRUSB_EMULATOR_FAULT";
// The image as the display stored it, the transform undone.
inline constexpr char kMemoryFileName[] = "eeprom.bin";
// Every packet the display received, 18 hex digits a line.
inline constexpr char kPacketLogName[] = "packets.log";

// An environment variable's value, or null when it is unset or empty.
inline const char* NonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// The emulated display's folder, or null when the library talks to the USB display.
inline const char* EmulatedDisplayFolder() {
    return NonEmptyVariable(kEmulatorVariable);
}

}  // namespace lumera::zrusb
