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

// Starts `program` with `args`, no shell in between, its file descriptors arranged by
// `actions` (and its signals by `attributes` when given). The child's id, or 0 when it could
// not be started.
inline pid_t SpawnProgram(const std::filesystem::path& program, std::vector<std::string> args,
                          const posix_spawn_file_actions_t& actions,
                          const posix_spawnattr_t* attributes = nullptr) {
    args.insert(args.begin(), program.string());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, attributes, argv.data(), environ) != 0) {
        return 0;
    }
    return pid;
}

// Sends the child's standard output and error into two files.
inline void WriteOutputsTo(posix_spawn_file_actions_t& actions, const std::string& outPath,
                           const std::string& errPath) {
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
}

// Runs `program` with `args`, no shell in between, and returns its exit code and what it
// wrote. The output passes through two files in `scratch`, which are removed again.
inline ProgramRun RunProgram(const std::filesystem::path& program, std::vector<std::string> args,
                             const std::filesystem::path& scratch) {
    const std::string outPath = (scratch / "program-stdout").string();
    const std::string errPath = (scratch / "program-stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    WriteOutputsTo(actions, outPath, errPath);
    ProgramRun run;
    if (const pid_t pid = SpawnProgram(program, std::move(args), actions)) {
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
