#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_contents.h"

extern char** environ;

namespace lumera::testing {

struct ProgramRun {
    int exitCode = -1;  // -1 when the program could not be started or did not exit
    std::string out;
    std::string err;
};

// Runs `program` with `args`, no shell in between, and returns its exit code and what it
// wrote. The output passes through two files in `scratch`, which are removed again.
inline ProgramRun RunProgram(const std::filesystem::path& program, std::vector<std::string> args,
                             const std::filesystem::path& scratch) {
    const std::string outPath = (scratch / "program-stdout").string();
    const std::string errPath = (scratch / "program-stderr").string();
    args.insert(args.begin(), program.string());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    ProgramRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

}  // namespace lumera::testing
