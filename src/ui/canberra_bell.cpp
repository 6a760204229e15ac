#include "canberra_bell.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

extern char** environ;

namespace ui {

namespace {

using namespace std::chrono_literals;

// How long the helper has to answer a ring, its first included (which loads
// the sound libraries and reaches the sound service). One that takes longer
// is taken for hung: it is ended, and the ring is unheard.
constexpr std::chrono::milliseconds answerWithin = 10s;
// How long the helper has, once its input is closed, to finish the ring it
// has and leave before it is killed.
constexpr std::chrono::milliseconds leaveWithin = 1s;

// Starts the program at `path` with `channel` as its standard input and
// output, keeping standard error and nothing else; -1 if it cannot be
// started. posix_spawn does not copy the program's memory as fork would.
pid_t spawn(const std::string& path, int channel)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, channel, STDOUT_FILENO);
#ifdef __GLIBC__
#if __GLIBC_PREREQ(2, 34)
    // Descriptors the program was started with and does not close on exec.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
#endif
    // Whatever the program's threads block, the helper starts with nothing blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);

    pid_t pid = -1;
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    if (posix_spawn(&pid, path.c_str(), &actions, &attributes, arguments, environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Sends one request; false if the helper is gone. Never raises SIGPIPE.
bool request(int channel)
{
    constexpr ssize_t size = sizeof bell::kRequest - 1;
    ssize_t sent;
    do sent = send(channel, bell::kRequest, size, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent == size;
}

// The helper's answer to one request; false if none came within answerWithin.
bool receive(int channel, char& answer)
{
    pollfd ready{channel, POLLIN, 0};
    int count;
    do count = poll(&ready, 1, int(answerWithin.count()));
    while (count < 0 && errno == EINTR);
    if (count <= 0) return false;
    ssize_t got;
    do got = read(channel, &answer, 1);
    while (got < 0 && errno == EINTR);
    return got == 1;
}

}  // namespace

CanberraBell::CanberraBell(std::vector<std::string> helpers, std::function<void()> unheard)
    : helpers_(std::move(helpers)), unheard_(std::move(unheard))
{
}

CanberraBell::~CanberraBell()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        // An answer still awaited is awaited no more; the helper still has
        // the request, and leaveWithin to finish it.
        if (channel_ >= 0) shutdown(channel_, SHUT_RDWR);
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
        if (!handOver() && unheard_) unheard_();
    }
    endHelper();
}

// Hands one bell to the helper, starting it if need be; false if no sound
// service took it. A helper that dies, hangs or breaks off is ended, and, as
// one that cannot be started, not tried again before retryAfter has passed.
bool CanberraBell::handOver()
{
    if (helper_ < 0 && !startHelper()) return false;
    char answer = 0;
    if (request(channel_) && receive(channel_, answer)) return answer == bell::kHeard;
    endHelper();
    quietUntil_ = std::chrono::steady_clock::now() + retryAfter;
    return false;
}

bool CanberraBell::startHelper()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < quietUntil_) return false;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0) {
        for (const std::string& path : helpers_)
            if ((helper_ = spawn(path, ends[1])) > 0) break;
        close(ends[1]);
        if (helper_ > 0) {
            std::lock_guard lock(mutex_);
            channel_ = ends[0];
            // Ending already: the helper gets no request and leaves at once.
            if (stopping_) shutdown(channel_, SHUT_RDWR);
            return true;
        }
        close(ends[0]);
    }
    quietUntil_ = now + retryAfter;
    return false;
}

// Closes the helper's input, which ends it, and reaps it; one that has not
// left within leaveWithin is killed. A helper that is not there is no matter.
void CanberraBell::endHelper()
{
    int channel;
    {
        std::lock_guard lock(mutex_);
        channel = std::exchange(channel_, -1);
    }
    if (channel >= 0) close(channel);
    if (helper_ <= 0) return;
    const auto deadline = std::chrono::steady_clock::now() + leaveWithin;
    for (;;) {
        const pid_t reaped = waitpid(helper_, nullptr, WNOHANG);
        if (reaped == helper_ || (reaped < 0 && errno != EINTR)) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(helper_, SIGKILL);
            while (waitpid(helper_, nullptr, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(5ms);
    }
    helper_ = -1;
}

}  // namespace ui
