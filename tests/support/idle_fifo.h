#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

namespace lumera::testing {

// A FIFO with no writer: an ordinary open for reading waits on it for ever.
inline void MakeIdleFifo(const std::filesystem::path& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

// Runs read() and returns its result. A reader that still waits after a while is a failure;
// the FIFO's writing end is then opened and closed so that it wakes and the test goes on.
template <typename Read>
auto ReadWithoutWaiting(const std::filesystem::path& fifo, Read read) {
    constexpr auto kPatience = std::chrono::seconds(10);
    auto reading = std::async(std::launch::async, read);
    if (reading.wait_for(kPatience) == std::future_status::timeout) {
        ADD_FAILURE() << "reading waited on the FIFO " << fifo;
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    }
    return reading.get();
}

}  // namespace lumera::testing
