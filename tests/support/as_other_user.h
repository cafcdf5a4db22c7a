#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace lumera::testing {

// Ids no account of the test machine is expected to hold.
inline constexpr uid_t kOtherUser = 61234;
inline constexpr gid_t kOtherGroup = 61235;
inline constexpr uid_t kThirdUser = 61236;
inline constexpr gid_t kThirdGroup = 61237;

inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

struct OtherUser {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;  // supplementary groups
};

// Runs work() in a child process that works in `folder` as `user`, and returns what work
// returned, or -1 when the child could not become that user. Only root can do this. The
// child enters the folder before it drops root, so folders above it need not be open to
// that user; it ends with _exit, so nothing of the test framework runs twice.
template <typename Work>
int AsOtherUser(const OtherUser& user, const std::filesystem::path& folder, Work work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool became = ::chdir(folder.c_str()) == 0 &&
                            ::setgroups(user.groups.size(), user.groups.data()) == 0 &&
                            ::setgid(user.gid) == 0 && ::setuid(user.uid) == 0;
        ::_exit(became ? work() : 255);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace lumera::testing
