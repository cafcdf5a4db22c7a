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

// Runs work() (a read or a write) and returns its result. Work that still waits after a while
// is a failure; both ends of the FIFO are then opened and closed so that it wakes.
template <typename Work>
auto WithoutWaitingOn(const std::filesystem::path& fifo, Work work) {
    constexpr auto kPatience = std::chrono::seconds(10);
    auto reading = std::async(std::launch::async, work);
    if (reading.wait_for(kPatience) == std::future_status::timeout) {
        ADD_FAILURE() << "waited on the FIFO " << fifo;
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        ::close(reader);
    }
    return reading.get();
}

}  // namespace lumera::testing
