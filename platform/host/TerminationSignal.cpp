#include "platform/host/TerminationSignal.h"

#include <unistd.h>

#include <atomic>

namespace {
std::atomic<int> g_caught{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written in a signal handler");

[[noreturn]] void EndNow(int) {
    _exit(TerminationSignal::ExitStatus(g_caught.load()));
}

void Catch(int signal) {
    int none = 0;
    if (!g_caught.compare_exchange_strong(none, signal))
        EndNow(signal);
    alarm(TerminationSignal::kGraceSeconds);
}

void Install(int signal, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, previous);
}
}  // namespace

TerminationSignal::TerminationSignal() {
    Install(SIGTERM, Catch, &m_previousTerm);
    Install(SIGINT, Catch, &m_previousInterrupt);
    Install(SIGALRM, EndNow, &m_previousAlarm);
}

TerminationSignal::~TerminationSignal() {
    sigaction(SIGTERM, &m_previousTerm, nullptr);
    sigaction(SIGINT, &m_previousInterrupt, nullptr);
    alarm(0);
    sigaction(SIGALRM, &m_previousAlarm, nullptr);
    g_caught = 0;
}

int TerminationSignal::Caught() {
    return g_caught.load();
}
