// snelk-bell: plays the desktop's "bell" event sound for the program, through
// libcanberra, so that the sound service's libraries (some 2 MB of them) live
// in this small process instead of the program's. The program starts it with
// its first right answer and talks to it as bell/protocol.h says; it ends when
// its input does, that is with the program.
//
// By hand: printf 'ring\n' | snelk-bell    prints y (heard) or n (unheard).

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <alsa/asoundlib.h>
#include <canberra.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <mutex>

#include "bell/protocol.h"

namespace {

// On a machine without a sound card ALSA writes several lines to stderr for
// every sound it cannot open. A bell nobody can hear is not worth a word.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

class Bell {
public:
    Bell() = default;
    ~Bell()
    {
        if (context_) ca_context_destroy(context_);
    }
    Bell(const Bell&) = delete;
    Bell& operator=(const Bell&) = delete;

    // Hands one bell to the sound service; false if none took it. The context
    // is made on the first ring and made afresh after a failure, so that a
    // sound service started (or restarted) later is found; but not before
    // kRetryAfter has passed, so that a desktop without one is not asked
    // again at every ring.
    bool play()
    {
        if (!context_) {
            const auto now = std::chrono::steady_clock::now();
            if (now < quietUntil_) return false;
            if (ca_context_create(&context_) != CA_SUCCESS) {
                context_ = nullptr;
                quietUntil_ = now + bell::kRetryAfter;
                return false;
            }
            ca_context_change_props(context_,
                                    CA_PROP_APPLICATION_NAME, "The Snelk Test",
                                    CA_PROP_APPLICATION_ID, "org.example.SnelkTest",
                                    CA_PROP_APPLICATION_ICON_NAME, "org.example.SnelkTest",
                                    nullptr);
        }
        // The answer waits until the bell has finished, so that the next ring
        // (question 18 rings twice) is heard after this one, not over it.
        ca_proplist* sound = nullptr;
        ca_proplist_create(&sound);
        ca_proplist_sets(sound, CA_PROP_EVENT_ID, "bell");
        ca_proplist_sets(sound, CA_PROP_EVENT_DESCRIPTION, "Bell");
        {
            std::lock_guard lock(mutex_);
            finished_ = false;
        }
        const int result = ca_context_play_full(context_, kBellId, sound, &Bell::whenFinished, this);
        ca_proplist_destroy(sound);
        if (result == CA_SUCCESS) {
            std::unique_lock lock(mutex_);
            if (!played_.wait_for(lock, kLongestBell, [this] { return finished_; })) {
                lock.unlock();
                // Cut short, it still counts as heard; cancelling calls back.
                ca_context_cancel(context_, kBellId);
                lock.lock();
                played_.wait(lock, [this] { return finished_; });
            }
            if (outcome_ == CA_SUCCESS || outcome_ == CA_ERROR_CANCELED) return true;
        }
        ca_context_destroy(context_);
        context_ = nullptr;
        quietUntil_ = std::chrono::steady_clock::now() + bell::kRetryAfter;
        return false;
    }

private:
    static constexpr uint32_t kBellId = 1;
    // Longer than any bell of a sound theme; one still playing then is cut short.
    static constexpr std::chrono::seconds kLongestBell{3};

    // Called by libcanberra's own thread when the bell has played, failed or
    // been cancelled.
    static void whenFinished(ca_context*, uint32_t, int outcome, void* bell)
    {
        auto* self = static_cast<Bell*>(bell);
        {
            std::lock_guard lock(self->mutex_);
            self->finished_ = true;
            self->outcome_ = outcome;
        }
        self->played_.notify_one();
    }

    ca_context* context_ = nullptr;
    std::mutex mutex_;
    std::condition_variable played_;
    bool finished_ = false;
    int outcome_ = CA_SUCCESS;
    std::chrono::steady_clock::time_point quietUntil_{};
};

// Moves the program's channel off a standard stream to a descriptor that no
// process the sound libraries start (a sound server started on demand) takes
// along, so that the program sees this one's end as soon as it comes. The
// standard stream is left on /dev/null.
int keepToOurselves(int stream)
{
    const int own = fcntl(stream, F_DUPFD_CLOEXEC, 3);
    if (own < 0) return stream;
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null >= 0) {
        dup2(null, stream);
        close(null);
    }
    return own;
}

bool answer(int out, bool heard)
{
    const char byte = heard ? bell::kHeard : bell::kUnheard;
    ssize_t written;
    do written = write(out, &byte, 1);
    while (written < 0 && errno == EINTR);
    return written == 1;
}

}  // namespace

int main()
{
    // The bell waits for the windows: starting up and playing never take the
    // processor from the program while it draws the next question.
    setpriority(PRIO_PROCESS, 0, 10);
    // A program gone is seen as a failed answer, and this one ends quietly.
    std::signal(SIGPIPE, SIG_IGN);
    snd_lib_error_set_handler(quietAlsa);
    const int in = keepToOurselves(STDIN_FILENO);
    const int out = keepToOurselves(STDOUT_FILENO);

    Bell bell;
    char requests[64];
    for (;;) {
        const ssize_t got = read(in, requests, sizeof requests);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        for (ssize_t i = 0; i < got; ++i)
            if (requests[i] == '\n' && !answer(out, bell.play())) return 0;
    }
}
