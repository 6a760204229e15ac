#pragma once
// The desktop's own "bell" event sound, asked of the sound service (PulseAudio
// or PipeWire, or ALSA directly) through libcanberra, so that it follows the
// user's sound theme and volume.
//
// libcanberra is loaded by the first ring, not when the program starts: most
// runs never ring, and those that do pay for it on the bell's own thread.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

struct ca_context;

namespace ui {

struct CanberraLibrary;

class CanberraBell {
public:
    // `unheard` is called, on the bell's own thread, once for every ring that
    // no sound service took.
    explicit CanberraBell(std::function<void()> unheard);
    // Rings still waiting are dropped; one being handed over is finished.
    ~CanberraBell();
    CanberraBell(const CanberraBell&) = delete;
    CanberraBell& operator=(const CanberraBell&) = delete;

    // Asks for one bell and returns at once. The sound service is reached from
    // a thread of the bell's own, started by the first ring, so that neither
    // start-up nor the click that rang waits for it.
    void ring();

    // After the sound service could not be reached, rings within this time
    // are unheard at once instead of trying again.
    static constexpr std::chrono::seconds retryAfter{60};

private:
    void serve();
    bool play();

    std::function<void()> unheard_;
    std::mutex mutex_;
    std::condition_variable wake_;
    int waiting_ = 0;
    bool stopping_ = false;
    std::thread thread_;
    // Touched by the bell's thread only:
    const CanberraLibrary* library_ = nullptr;  // null until loaded, or if it cannot be
    bool loadTried_ = false;
    ca_context* context_ = nullptr;
    std::chrono::steady_clock::time_point quietUntil_{};
};

}  // namespace ui
