#include "canberra_bell.h"

#include <dlfcn.h>

#include <alsa/asoundlib.h>
#include <canberra.h>

namespace ui {

// The few functions of libcanberra the bell uses, looked up when it is loaded.
struct CanberraLibrary {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
};

namespace {

// On a machine without a sound card ALSA writes several lines to stderr for
// every sound it cannot open. A bell nobody can hear is not worth a word.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

template <typename Function>
bool lookUp(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Loads libcanberra once, for the rest of the run; null if it is not there.
// ALSA, which libcanberra may play through, is loaded first so that its
// complaints can be silenced before it makes any.
const CanberraLibrary* loadLibrary()
{
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) {
        decltype(&snd_lib_error_set_handler) setHandler = nullptr;
        if (lookUp(alsa, "snd_lib_error_set_handler", setHandler)) setHandler(quietAlsa);
    }
    void* canberra = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!canberra) return nullptr;
    static CanberraLibrary library;
    if (!lookUp(canberra, "ca_context_create", library.create) ||
        !lookUp(canberra, "ca_context_change_props", library.changeProps) ||
        !lookUp(canberra, "ca_context_play", library.play) ||
        !lookUp(canberra, "ca_context_destroy", library.destroy)) {
        dlclose(canberra);
        return nullptr;
    }
    return &library;
}

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
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_ > 0; });
            if (stopping_) break;
            --waiting_;
        }
        if (!play() && unheard_) unheard_();
    }
    if (context_) library_->destroy(context_);
    context_ = nullptr;
}

// Hands one bell to the sound service; false if none took it. The context is
// made on the first ring and made afresh after a failure, so that a sound
// service started (or restarted) later is found; but not before `retryAfter`
// has passed, so that a desktop without one is not asked again at every ring.
bool CanberraBell::play()
{
    if (!loadTried_) {
        loadTried_ = true;
        library_ = loadLibrary();
    }
    if (!library_) return false;
    if (!context_) {
        const auto now = std::chrono::steady_clock::now();
        if (now < quietUntil_) return false;
        if (library_->create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            quietUntil_ = now + retryAfter;
            return false;
        }
        library_->changeProps(context_,
                              CA_PROP_APPLICATION_NAME, "The Snelk Test",
                              CA_PROP_APPLICATION_ID, "org.example.SnelkTest",
                              CA_PROP_APPLICATION_ICON_NAME, "org.example.SnelkTest",
                              nullptr);
    }
    // Playing returns once the sound service has the sound; it plays on without us.
    const int result = library_->play(context_, 0,
                                      CA_PROP_EVENT_ID, "bell",
                                      CA_PROP_EVENT_DESCRIPTION, "Bell",
                                      nullptr);
    if (result == CA_SUCCESS) return true;
    library_->destroy(context_);
    context_ = nullptr;
    quietUntil_ = std::chrono::steady_clock::now() + retryAfter;
    return false;
}

}  // namespace ui
