#include "files/save_signals.hpp"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

namespace ferrolith {

namespace {

constexpr int saveSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// What the handler reads, in whichever thread it runs: lock-free atomics, and memory written
// before the handler is installed or while the signals are held.
struct sigaction previousActions[NSIG];
std::atomic<bool> held{false};
std::atomic<unsigned> noted{0};  // bit i: saveSignals[i] arrived while held
char pendingPath[PATH_MAX + 1];
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<unsigned>::is_always_lock_free);

constexpr unsigned bitOf(int signal) {
    unsigned bit = 1;
    for (int s : saveSignals) {
        if (s == signal) return bit;
        bit <<= 1;
    }
    return 0;
}

extern "C" void onSaveSignal(int signal) {
    if (held) {
        noted |= bitOf(signal);
        return;
    }
    const int savedErrno = errno;  // for a previous action that lets the program go on
    if (pendingPath[0] != '\0') ::unlink(pendingPath);
    ::sigaction(signal, &previousActions[signal], nullptr);
    ::raise(signal);  // delivered, with the previous action, once this handler returns
    errno = savedErrno;
}

}  // namespace

SaveSignalsTaken::SaveSignalsTaken() {
    struct sigaction own {};
    own.sa_handler = onSaveSignal;
    own.sa_flags = SA_RESTART;  // the other threads' calls go on as if nothing had come
    sigemptyset(&own.sa_mask);
    for (int s : saveSignals) {
        ::sigaction(s, nullptr, &previousActions[s]);
        // An ignored signal ends nothing, so it is left as it is.
        if (previousActions[s].sa_handler != SIG_IGN) ::sigaction(s, &own, nullptr);
    }
}

SaveSignalsTaken::~SaveSignalsTaken() {
    for (int s : saveSignals) ::sigaction(s, &previousActions[s], nullptr);
}

SaveSignalsHeld::SaveSignalsHeld() { held = true; }

SaveSignalsHeld::~SaveSignalsHeld() {
    held = false;
    const unsigned arrived = noted.exchange(0);
    for (int s : saveSignals)
        if (arrived & bitOf(s)) ::raise(s);
}

PendingTemporary::~PendingTemporary() {
    if (named()) ::unlink(path_.c_str());
    pendingPath[0] = '\0';
}

void PendingTemporary::set(const std::string& path) {
    path_ = path;
    // A longer path cannot have been created, so it needs no removal either.
    if (path.size() <= PATH_MAX) std::memcpy(pendingPath, path.c_str(), path.size() + 1);
}

void PendingTemporary::renamed() {
    path_.clear();
    pendingPath[0] = '\0';
}

}  // namespace ferrolith
