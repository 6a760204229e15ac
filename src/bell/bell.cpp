#include "bell.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "program_identity.h"

#if __has_include(<canberra.h>) && __has_include(<alsa/asoundlib.h>) && __has_include(<dlfcn.h>)
#define SNELK_HAS_CANBERRA 1
#include <alsa/asoundlib.h>
#include <canberra.h>
#include <dlfcn.h>
#endif

namespace bell {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A ring still playing after this long has met a sound service that hangs:
// later rings are left to the caller's own sound at once, and that ring, if it
// fails in the end, is not sounded so late.
constexpr auto kPromptly = 2s;

#ifdef SNELK_HAS_CANBERRA

// After the sound service could not be reached, rings within this time are
// unheard at once instead of trying again.
constexpr auto kRetryAfter = 60s;
// Longer than any bell of a sound theme; one still playing then is cut short.
constexpr auto kLongestBell = 3s;

// On a machine without a sound card ALSA writes several lines to stderr for
// every sound it cannot open. A bell nobody can hear is not worth a word.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// libcanberra, loaded when first asked to play. Its functions are looked up
// by name, so that the program does not load it, nor the sound service's
// libraries, at start-up.
class Canberra {
public:
    ~Canberra()
    {
        if (context_) api_.destroy(context_);
    }

    bool play()
    {
        const auto now = Clock::now();
        if (!context_) {
            if (now < quietUntil_ || !loaded()) return false;
            if (api_.create(&context_) != CA_SUCCESS) return failed(now);
            ca_proplist* program = properties({{CA_PROP_APPLICATION_NAME, "The Snelk Test"},
                                               {CA_PROP_APPLICATION_ID, SNELK_APP_ID},
                                               {CA_PROP_APPLICATION_ICON_NAME, SNELK_APP_ID}});
            api_.changeProps(context_, program);
            api_.proplistDestroy(program);
        }
        ca_proplist* sound = properties({{CA_PROP_EVENT_ID, "bell"}, {CA_PROP_EVENT_DESCRIPTION, "Bell"}});
        {
            std::lock_guard lock(mutex_);
            finished_ = false;
        }
        const int started = api_.play(context_, kBellId, sound, &Canberra::whenFinished, this);
        api_.proplistDestroy(sound);
        if (started != CA_SUCCESS) return failed(now);
        // Returns once the bell has played, so that the next one (question 18
        // rings twice) is heard after it rather than over it.
        std::unique_lock lock(mutex_);
        if (!played_.wait_for(lock, kLongestBell, [this] { return finished_; })) {
            lock.unlock();
            api_.cancel(context_, kBellId);  // which calls back
            lock.lock();
            played_.wait(lock, [this] { return finished_; });
        }
        if (outcome_ == CA_SUCCESS || outcome_ == CA_ERROR_CANCELED) return true;
        return failed(now);
    }

private:
    static constexpr uint32_t kBellId = 1;

    struct Api {
        decltype(&ca_context_create) create = nullptr;
        decltype(&ca_context_destroy) destroy = nullptr;
        decltype(&ca_context_change_props_full) changeProps = nullptr;
        decltype(&ca_context_play_full) play = nullptr;
        decltype(&ca_context_cancel) cancel = nullptr;
        decltype(&ca_proplist_create) proplistCreate = nullptr;
        decltype(&ca_proplist_sets) proplistSets = nullptr;
        decltype(&ca_proplist_destroy) proplistDestroy = nullptr;
    };

    // Whether libcanberra is there to be used; the libraries are kept once
    // loaded, as libraries that start threads of their own should be.
    bool loaded()
    {
        if (tried_) return api_.proplistDestroy != nullptr;
        tried_ = true;
        if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL))
            if (void* quieten = dlsym(alsa, "snd_lib_error_set_handler"))
                reinterpret_cast<decltype(&snd_lib_error_set_handler)>(quieten)(quietAlsa);
        void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) return false;
        const auto find = [library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            return function != nullptr;
        };
        Api api;
        if (!(find(api.create, "ca_context_create") && find(api.destroy, "ca_context_destroy") &&
              find(api.changeProps, "ca_context_change_props_full") && find(api.play, "ca_context_play_full") &&
              find(api.cancel, "ca_context_cancel") && find(api.proplistCreate, "ca_proplist_create") &&
              find(api.proplistSets, "ca_proplist_sets") && find(api.proplistDestroy, "ca_proplist_destroy")))
            return false;
        api_ = api;
        return true;
    }

    ca_proplist* properties(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        ca_proplist* list = nullptr;
        api_.proplistCreate(&list);
        for (const auto& [key, value] : values) api_.proplistSets(list, key, value);
        return list;
    }

    // The context is made afresh after a failure, so that a sound service
    // started (or restarted) later is found, but not before kRetryAfter, so
    // that a desktop without one is not asked again at every ring.
    bool failed(Clock::time_point now)
    {
        if (context_) api_.destroy(context_);
        context_ = nullptr;
        quietUntil_ = now + kRetryAfter;
        return false;
    }

    // Called by libcanberra's own thread when the bell has played, failed or
    // been cancelled.
    static void whenFinished(ca_context*, uint32_t, int outcome, void* self)
    {
        auto* canberra = static_cast<Canberra*>(self);
        {
            std::lock_guard lock(canberra->mutex_);
            canberra->finished_ = true;
            canberra->outcome_ = outcome;
        }
        canberra->played_.notify_one();
    }

    bool tried_ = false;
    Api api_;
    ca_context* context_ = nullptr;
    Clock::time_point quietUntil_{};
    std::mutex mutex_;
    std::condition_variable played_;
    bool finished_ = false;
    int outcome_ = CA_SUCCESS;
};

#endif

}  // namespace

Player desktopBell()
{
#ifdef SNELK_HAS_CANBERRA
    return [canberra = std::make_shared<Canberra>()] { return canberra->play(); };
#else
    return [] { return false; };  // no sound service here: every ring is the caller's
#endif
}

struct Bell::Shared {
    std::function<void()> unheard;
    Player play;
    std::mutex mutex;
    std::condition_variable wake;
    int waiting = 0;
    std::optional<Clock::time_point> playingSince;
    bool stopping = false;
    std::thread thread;

    void serve()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stopping || waiting > 0; });
            if (stopping) break;
            --waiting;
            const auto started = Clock::now();
            playingSince = started;
            lock.unlock();
            const bool heard = play();
            lock.lock();
            playingSince.reset();
            if (!heard && !stopping && Clock::now() - started < kPromptly) unheard();
        }
    }
};

Bell::Bell(std::function<void()> unheard, Player play) : shared_(std::make_shared<Shared>())
{
    shared_->unheard = std::move(unheard);
    shared_->play = std::move(play);
}

Bell::~Bell()
{
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->wake.notify_all();
    if (!shared_->thread.joinable()) return;
    const bool idle = !shared_->playingSince;
    lock.unlock();
    // The program does not wait for a bell still playing, nor for a sound
    // service that hangs: that ring ends with the process, and the thread
    // holds on to what it uses until then.
    if (idle) shared_->thread.join();
    else shared_->thread.detach();
}

void Bell::ring()
{
    std::lock_guard lock(shared_->mutex);
    if (shared_->playingSince && Clock::now() - *shared_->playingSince > kPromptly) {
        shared_->unheard();
        return;
    }
    ++shared_->waiting;
    if (!shared_->thread.joinable()) shared_->thread = std::thread([shared = shared_] { shared->serve(); });
    shared_->wake.notify_one();
}

}  // namespace bell
