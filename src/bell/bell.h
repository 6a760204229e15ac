#pragma once
// The right-answer bell: the desktop's own "bell" event sound, asked of the
// sound service (PulseAudio or PipeWire, or ALSA directly) through
// libcanberra, so that it follows the user's sound theme and volume.
//
// Rings are played one after the other, each to its end, on a thread of the
// bell's own: a click never waits for the sound service, and a missing, hung
// or killed one can neither slow nor end the program. libcanberra is loaded
// with the first ring, so a run that never rings never loads it.

#include <functional>
#include <memory>

namespace bell {

// Plays one bell to its end; false if no sound service took it.
using Player = std::function<bool()>;

// The desktop's bell through libcanberra, loaded on its first use.
Player desktopBell();

class Bell {
public:
    // `unheard` is called, from the bell's thread or from ring(), for every
    // ring no sound service took: the caller sounds it some other way.
    explicit Bell(std::function<void()> unheard, Player play = desktopBell());
    // Returns at once: a ring still playing is left to end with the process,
    // and rings still waiting are dropped.
    ~Bell();
    Bell(const Bell&) = delete;
    Bell& operator=(const Bell&) = delete;

    // Asks for one bell and returns at once.
    void ring();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace bell
