#pragma once

// What the figure benchmarks share: where the programs and floors are, the inputs they
// work on (made once and kept between runs in LUMERA_BENCH_FIXTURES), and running one
// program as its own process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace lumera::bench {

namespace fs = std::filesystem;

// The programs measured: LUMERA_BENCH_PROGRAMS (another build's bin folder, to compare
// against it) or this build's.
inline fs::path MeasuredPrograms() {
    const char* chosen = std::getenv("LUMERA_BENCH_PROGRAMS");
    return chosen && *chosen ? fs::path(chosen) : fs::path(LUMERA_BIN_DIR);
}

// The floors are built beside the benchmarks.
inline fs::path FloorProgram(const char* name) {
    return fs::read_symlink("/proc/self/exe").parent_path() / name;
}

// Inputs made once, kept in LUMERA_BENCH_FIXTURES; without it, in a folder of this run's
// own, removed at exit.
class Fixtures {
public:
    Fixtures() {
        const char* chosen = std::getenv("LUMERA_BENCH_FIXTURES");
        owned_ = !(chosen && *chosen);
        path_ = owned_ ? OwnFolder() : fs::path(chosen);
        fs::create_directories(path_);
    }
    ~Fixtures() {
        if (owned_) {
            std::error_code ignored;
            fs::remove_all(path_, ignored);
        }
    }
    const fs::path& path() const { return path_; }

private:
    // A fresh name: a folder another user made under a name guessed ahead is never used.
    static fs::path OwnFolder() {
        std::string pattern = (fs::temp_directory_path() / "lumera-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a folder from " + pattern);
        }
        return pattern;
    }

    fs::path path_;
    bool owned_;
};

inline const fs::path& FixtureDirectory() {
    static const Fixtures fixtures;
    return fixtures.path();
}

struct ChildRun {
    bool succeeded = false;
    double cpuSeconds = 0;   // time on a core of all the child's threads, to its end or `until`
    double wallSeconds = 0;  // from before the spawn to its end or `until`
};

struct ChildOptions {
    std::vector<std::string> environment;  // NAME=VALUE added to ours
    // Called while the child runs; once it returns true the child is killed and the run
    // counts as succeeded.
    std::function<bool(pid_t)> until;
};

// The time a running process's threads have had on a core so far.
inline double CpuSecondsSoFar(pid_t pid) {
    double seconds = 0;
    std::error_code error;
    for (const auto& task :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long nanoseconds = 0;
        if (schedstat >> nanoseconds) {
            seconds += nanoseconds / 1e9;
        }
    }
    return seconds;
}

// Runs argv[0] with its output thrown away and waits for it.
inline ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options = {}) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        environment.emplace_back(*entry);
    }
    environment.insert(environment.end(), options.environment.begin(), options.environment.end());
    std::vector<char*> args, env;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    for (const std::string& entry : environment) {
        env.push_back(const_cast<char*>(entry.c_str()));
    }
    args.push_back(nullptr);
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    if (options.until) {
        run.succeeded = options.until(pid);
        run.wallSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        run.cpuSeconds = CpuSecondsSoFar(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return run;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// Makes `file` in the fixture folder with `argv` unless it is already there.
inline std::optional<fs::path> Fixture(const std::string& file,
                                       const std::vector<std::string>& argv) {
    const fs::path path = FixtureDirectory() / file;
    if (fs::exists(path)) {
        return path;
    }
    if (!RunChild(argv).succeeded || !fs::exists(path)) {
        return std::nullopt;
    }
    return path;
}

// One iteration per child run, timed by the child's CPU time: the machine may be busy,
// and waiting for a core is not the program's cost.
inline void TimeChildCpu(benchmark::State& state, const std::vector<std::string>& argv) {
    for (auto _ : state) {
        const ChildRun run = RunChild(argv);
        if (!run.succeeded) {
            state.SkipWithError(("failed: " + argv[0]).c_str());
            break;
        }
        state.SetIterationTime(run.cpuSeconds);
    }
}

// A table of `sections` sections, every effect in turn, of the longest texts of a content
// mode. 32 English sections are the full table; 5 Chinese ones still fit the display.
inline std::vector<std::string> TableArguments(const fs::path& out, bool english, int sections) {
    const fs::path cli = MeasuredPrograms() / "lumera-cli";
    std::vector<std::string> argv{cli.string(), "new", out.string(),
                                  english ? "--english" : "--chinese"};
    // Twelve wide characters: the widest Chinese section.
    const std::string chinese =
        "\xE6\xAC\xA2\xE8\xBF\x8E\xE5\x85\x89\xE4\xB8\xB4\xE4\xB8\xAD\xE6\x96\x87\xE6\x98\xBE"
        "\xE7\xA4\xBA\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C";
    for (int section = 0; section < sections; ++section) {
        const std::string number = std::to_string(section + 1);
        const std::string text =
            english ? "SECTION " + number + " OF " + std::to_string(sections) : chinese;
        argv.push_back(std::to_string(section % 9) + ":" + std::to_string(section % 7) + ":" +
                       text);
    }
    return argv;
}

}  // namespace lumera::bench
