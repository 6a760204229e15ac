#pragma once
// The desktop's own "bell" event sound, asked of the sound service (PulseAudio
// or PipeWire, or ALSA directly) through libcanberra, so that it follows the
// user's sound theme and volume.
//
// libcanberra and the sound service's libraries live in a helper process of
// their own, snelk-bell (src/bell/), started by the first ring: most runs never
// ring, and the program's memory stays free of them all the same.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bell/protocol.h"

namespace ui {

class CanberraBell {
public:
    // `helpers`: where snelk-bell may be, tried in turn. `unheard` is called,
    // on the bell's own thread, once for every ring that no sound service
    // took, the helper's failures included.
    CanberraBell(std::vector<std::string> helpers, std::function<void()> unheard);
    // Rings still waiting are dropped; the helper is given a moment to finish
    // one already handed over, and then ended.
    ~CanberraBell();
    CanberraBell(const CanberraBell&) = delete;
    CanberraBell& operator=(const CanberraBell&) = delete;

    // Asks for one bell and returns at once. The helper is started and talked
    // to from a thread of the bell's own, started by the first ring, so that
    // neither start-up nor the click that rang waits for it.
    void ring();

    // After the sound service, or the helper, could not be reached, rings
    // within this time are unheard at once instead of trying again.
    static constexpr std::chrono::seconds retryAfter = bell::kRetryAfter;

private:
    void serve();
    bool handOver();
    bool startHelper();
    void endHelper();

    std::vector<std::string> helpers_;
    std::function<void()> unheard_;
    std::mutex mutex_;
    std::condition_variable wake_;
    int waiting_ = 0;
    bool stopping_ = false;
    int channel_ = -1;  // our end of the helper's standard input and output; set by the bell's thread
    std::thread thread_;
    // Touched by the bell's thread only:
    int helper_ = -1;  // its process id
    std::chrono::steady_clock::time_point quietUntil_{};
};

}  // namespace ui
