// kernel_run FOLDER FAULTS PROGRAM [ARGUMENT...]: stands the display up as a kernel device
// (its files in FOLDER, emptied first; FAULTS as ZRUSB_EMULATOR_FAULT writes them, "" for
// none), runs PROGRAM under it with LUMERA_KERNEL_DISPLAY=FOLDER, and exits as it exits.

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "kernel_display.h"

extern char** environ;

int main(int argc, char** argv) {
    constexpr int kFirstProgramArgument = 3;
    if (argc <= kFirstProgramArgument) {
        std::fprintf(stderr, "usage: kernel_run FOLDER FAULTS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    try {
        std::filesystem::remove_all(argv[1]);
        const lumera::testing::KernelDisplay display({argv[1], false, argv[2], 0, ""});
        setenv("LUMERA_KERNEL_DISPLAY", argv[1], 1);
        pid_t child = 0;
        if (posix_spawn(&child, argv[kFirstProgramArgument], nullptr, nullptr,
                        argv + kFirstProgramArgument, environ) != 0) {
            std::perror(argv[kFirstProgramArgument]);
            return 1;
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kernel_run: %s\n", error.what());
        return 1;
    }
}
