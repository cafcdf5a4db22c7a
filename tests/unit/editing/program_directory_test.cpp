#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "editing/program_directory.h"
#include "temp_directory.h"

namespace lumera {
namespace {

namespace fs = std::filesystem;

// A layout is a list of paths below a scratch root; a trailing '/' makes a folder, anything
// else a small file. The program itself always lives in <root>/prefix/bin.
struct LayoutCase {
    const char* what;
    std::vector<std::string> paths;
    const char* dataDirectory;  // relative to the root
    const char* deviceLibrary;  // relative to the root; "" when none is found
    bool dumpsPerUser;
};

void Make(const fs::path& root, const std::string& path) {
    const fs::path full = root / path;
    if (path.back() == '/') {
        fs::create_directories(full);
    } else {
        fs::create_directories(full.parent_path());
        std::ofstream(full) << "x";
    }
}

TEST(ProgramFilesLookup, BesideTheProgramFirstThenTheInstallTree) {
    const LayoutCase cases[] = {
        {"build tree",
         {"prefix/bin/qfn.ttf", "prefix/bin/libZRUSB.so"},
         "prefix/bin",
         "prefix/bin/libZRUSB.so",
         false},
        {"installed",
         {"prefix/bin/", "prefix/share/lumera/qfn.ttf", "prefix/lib/lumera/libZRUSB.so"},
         "prefix/share/lumera",
         "prefix/lib/lumera/libZRUSB.so",
         true},
        {"a copy with its files inside a prefix keeps to its own folder",
         {"prefix/bin/qfn.ttf", "prefix/bin/libZRUSB.so", "prefix/share/lumera/qfn.ttf",
          "prefix/lib/lumera/libZRUSB.so"},
         "prefix/bin",
         "prefix/bin/libZRUSB.so",
         false},
        {"installed data, library only beside the program",
         {"prefix/bin/libZRUSB.so", "prefix/share/lumera/"},
         "prefix/share/lumera",
         "prefix/bin/libZRUSB.so",
         true},
        {"installed without the library: left to the system's search",
         {"prefix/bin/", "prefix/share/lumera/qfn.ttf"},
         "prefix/share/lumera",
         "",
         true},
        {"nothing anywhere: the reports name the program's folder",
         {"prefix/bin/"},
         "prefix/bin",
         "",
         false},
        {"folders with the files' names are not the files",
         {"prefix/bin/qfn.ttf/", "prefix/bin/libZRUSB.so/", "prefix/lib/lumera/libZRUSB.so/"},
         "prefix/bin",
         "",
         false},
        {"a file named like the data folder is no data folder",
         {"prefix/bin/", "prefix/share/lumera"},
         "prefix/bin",
         "",
         false},
    };
    for (const LayoutCase& layout : cases) {
        SCOPED_TRACE(layout.what);
        const lumera::testing::TempDirectory scratch("lumera-layout");
        const fs::path& root = scratch.path();
        for (const std::string& path : layout.paths) {
            Make(root, path);
        }
        const fs::path userData = root / "home" / "lumera";
        const ProgramFiles files = LocateProgramFiles(root / "prefix" / "bin", userData);
        EXPECT_EQ(files.dataDirectory, root / layout.dataDirectory);
        EXPECT_EQ(files.deviceLibrary,
                  *layout.deviceLibrary ? root / layout.deviceLibrary : fs::path());
        EXPECT_EQ(files.dumpDirectory, layout.dumpsPerUser ? userData : root / "prefix" / "bin");
    }
}

TEST(UserDataFolder, ComesFromTheUserNeverFromAFolderOthersShare) {
    const passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/a", 1);
    EXPECT_EQ(UserDataDirectory(), fs::path("/home/a/.local/share/lumera"));
    ::setenv("XDG_DATA_HOME", "relative", 1);  // invalid, so ignored
    EXPECT_EQ(UserDataDirectory(), fs::path("/home/a/.local/share/lumera"));
    ::unsetenv("HOME");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserDataDirectory(), fs::path(account->pw_dir) / ".local/share/lumera");
    ::setenv("HOME", "relative", 1);  // as if unset: never below the working folder
    EXPECT_EQ(UserDataDirectory(), fs::path(account->pw_dir) / ".local/share/lumera");
    ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace lumera
