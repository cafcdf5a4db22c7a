#pragma once

#include <filesystem>

namespace lumera {

// File name of the device library.
inline constexpr char kDeviceLibraryFileName[] = "libZRUSB.so";
// File name of the glyph font; it is generated and installed with the glyph tables.
inline constexpr char kGlyphFontFileName[] = "qfn.ttf";

// The folder of the running executable.
std::filesystem::path ProgramDirectory();

// The per-user data folder ($XDG_DATA_HOME/lumera, else ~/.local/share/lumera, the home
// taken from the account when HOME is unset or relative), for files an installed program cannot
// write beside itself; never a folder other users share. Empty when the user has no home. Not
// created here.
std::filesystem::path UserDataDirectory();

// Where the program's own files lie. A program in its build folder, or copied with its files
// into one folder, has everything beside itself; an installed one (bin/ of a prefix) has its
// data in ../share/lumera and its device library in ../lib/lumera.
struct ProgramFiles {
    std::filesystem::path dataDirectory;  // glyph tables and the glyph font
    std::filesystem::path deviceLibrary;  // empty: none found, left to the system's search
    std::filesystem::path dumpDirectory;  // where the download image is dumped
};

// Looks beside programDirectory first, then in the install tree around it. An installed
// program dumps into userDataDirectory, never into its prefix.
ProgramFiles LocateProgramFiles(const std::filesystem::path& programDirectory,
                                const std::filesystem::path& userDataDirectory);

// The files of the running executable.
ProgramFiles LocateProgramFiles();

}  // namespace lumera
