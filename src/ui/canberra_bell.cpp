#include "canberra_bell.h"

#include <alsa/asoundlib.h>
#include <canberra.h>

namespace ui {
namespace {

// On a machine without a sound card ALSA writes several lines to stderr for
// every sound it cannot open. A bell nobody can hear is not worth a word.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

CanberraBell::CanberraBell(std::function<void()> unheard) : unheard_(std::move(unheard)) {}

CanberraBell::~CanberraBell()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void CanberraBell::ring()
{
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) thread_ = std::thread(&CanberraBell::serve, this);
        ++waiting_;
    }
    wake_.notify_one();
}

void CanberraBell::serve()
{
    snd_lib_error_set_handler(quietAlsa);
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_ > 0; });
            if (stopping_) break;
            --waiting_;
        }
        if (!play() && unheard_) unheard_();
    }
    if (context_) ca_context_destroy(context_);
    context_ = nullptr;
}

// Hands one bell to the sound service; false if none took it. The context is
// made on the first ring and made afresh after a failure, so that a sound
// service started (or restarted) later is found.
bool CanberraBell::play()
{
    if (!context_) {
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return false;
        }
        ca_context_change_props(context_,
                                CA_PROP_APPLICATION_NAME, "The Snelk Test",
                                CA_PROP_APPLICATION_ID, "org.example.SnelkTest",
                                CA_PROP_APPLICATION_ICON_NAME, "org.example.SnelkTest",
                                nullptr);
    }
    // Playing returns once the sound service has the sound; it plays on without us.
    const int result = ca_context_play(context_, 0,
                                       CA_PROP_EVENT_ID, "bell",
                                       CA_PROP_EVENT_DESCRIPTION, "Bell",
                                       nullptr);
    if (result == CA_SUCCESS) return true;
    ca_context_destroy(context_);
    context_ = nullptr;
    return false;
}

}  // namespace ui
