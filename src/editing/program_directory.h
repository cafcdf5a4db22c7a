#pragma once

#include <filesystem>

namespace lumera {

// The folder of the running executable: glyph tables, the glyph font and the device
// library are looked up there, and the download image is dumped there.
std::filesystem::path ProgramDirectory();

// The per-user data folder ($XDG_DATA_HOME/lumera, else ~/.local/share/lumera), for files
// an installed program cannot write beside itself. Not created here.
std::filesystem::path UserDataDirectory();

}  // namespace lumera
