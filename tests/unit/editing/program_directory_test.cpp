#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
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

// Sets an environment variable (nullopt: unsets it) and puts it back when it goes.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedVariable() { Set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name_, value->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserDataFolder, ComesFromTheUserNeverFromAFolderOthersShare) {
    const passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    const fs::path accountData = fs::path(account->pw_dir) / ".local" / "share" / "lumera";
    const struct {
        const char* what;
        std::optional<std::string> dataHome;
        std::optional<std::string> home;
        fs::path expected;
    } cases[] = {
        {"XDG_DATA_HOME first", "/data", "/home/a", "/data/lumera"},
        {"a relative XDG_DATA_HOME is ignored", "data", "/home/a", "/home/a/.local/share/lumera"},
        {"HOME", "", "/home/a", "/home/a/.local/share/lumera"},
        {"without HOME, the account's home", std::nullopt, std::nullopt, accountData},
        {"an empty HOME is no home", std::nullopt, "", accountData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
        const ScopedVariable home("HOME", c.home);
        EXPECT_EQ(UserDataDirectory(), c.expected);
    }
}

}  // namespace
}  // namespace lumera
