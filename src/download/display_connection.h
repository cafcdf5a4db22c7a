#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumera::download {

// The folder of the emulated display the device library uses instead of a real one
// (ZRUSB_EMULATOR, which the library reads at every open), or nullopt for the USB display.
std::optional<std::string> EmulatedDisplayFolder();

// The file in which the emulated display in `folder` keeps the image it stored.
std::filesystem::path EmulatedDisplayMemory(const std::filesystem::path& folder);

// "Emulated display: <folder>", for wherever the operator looks.
std::string EmulatedDisplayNote(const std::string& folder);

// One line of help when no display answers.
inline constexpr char kNoDisplayHelpText[] =
    "No display found: plug it in; without root, install the udev rule "
    "70-lumera-display.rules; 'lumera-cli devices' shows what is connected.";

// The one-line fix for a display this user may not open: the udev rule, put where udev
// reads local rules, then applied to the display already plugged in.
inline constexpr char kUdevRuleFixText[] =
    "echo 'SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"0c45\", ATTRS{idProduct}==\"7160\", "
    "TAG+=\"uaccess\"' | sudo tee /etc/udev/rules.d/70-lumera-display.rules && "
    "sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw";

}  // namespace lumera::download
