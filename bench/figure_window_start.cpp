// From starting `lumera` (on the emulated display, as ./run does) to its first window on
// the screen, next to its floor: a trivial Qt Widgets window. Needs an X display
// (scripts/bench-ratios starts one). Timed by the time the program's threads had on a core
// until then: on a busy machine the wall clock mostly measures the wait for one.
#include <poll.h>
#include <xcb/xcb.h>

#include <memory>
#include <thread>

#include "figure_support.h"

namespace {

using namespace lumera::bench;

constexpr int kMostWaitMilliseconds = 20'000;
constexpr int kConnectRetries = 10;

// Watches the screen for the first window mapped on it.
class MapWatch {
public:
    MapWatch() : connection_(xcb_connect(nullptr, nullptr)) {
        // A screen that has only just started may refuse the first connection.
        for (int retry = 0; retry < kConnectRetries && xcb_connection_has_error(connection_);
             ++retry) {
            xcb_disconnect(connection_);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            connection_ = xcb_connect(nullptr, nullptr);
        }
        if (xcb_connection_has_error(connection_)) {
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        ready_ = true;
    }
    ~MapWatch() { xcb_disconnect(connection_); }

    bool ready() const { return ready_; }

    bool WaitForMap() {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kMostWaitMilliseconds);
        pollfd watched{xcb_get_file_descriptor(connection_), POLLIN, 0};
        while (std::chrono::steady_clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped = (event->response_type & ~0x80) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped) {
                    return true;
                }
            }
            if (xcb_connection_has_error(connection_)) {
                return false;
            }
            poll(&watched, 1, 100);
        }
        return false;
    }

private:
    xcb_connection_t* connection_;
    bool ready_ = false;
};

void TimeFirstMap(benchmark::State& state, const std::vector<std::string>& argv) {
    const fs::path emulated = FixtureDirectory() / "emulated-display";
    fs::create_directories(emulated);
    for (auto _ : state) {
        MapWatch watch;
        if (!watch.ready()) {
            state.SkipWithError("no X display (DISPLAY); scripts/bench-ratios starts one");
            break;
        }
        ChildOptions options;
        options.environment = {"ZRUSB_EMULATOR=" + emulated.string(), "QT_QPA_PLATFORM=xcb"};
        options.until = [&watch](pid_t) { return watch.WaitForMap(); };
        const ChildRun run = RunChild(argv, options);
        if (!run.succeeded) {
            state.SkipWithError(("no window from " + argv[0]).c_str());
            break;
        }
        state.SetIterationTime(run.cpuSeconds);
    }
}

void BM_WindowStart(benchmark::State& state) {
    TimeFirstMap(state, {(MeasuredPrograms() / "lumera").string()});
}
BENCHMARK(BM_WindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_TrivialWindow(benchmark::State& state) {
    TimeFirstMap(state, {FloorProgram("floor_window").string()});
}
BENCHMARK(BM_TrivialWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
