#pragma once

#include <csignal>

// SIGTERM and SIGINT end the program, whatever it is doing. While one is caught, the desktop
// host's loops end every modal loop and close the program without asking about changes (see
// SdlHost). Should the program not have ended within the grace period (a long computation, a
// loop that keeps opening dialogs), or a second signal come, the process ends at once.
class TerminationSignal {
  public:
    static constexpr unsigned int kGraceSeconds = 10;

    // Catches the signals for the object's lifetime; the handlers before it come back after it.
    TerminationSignal();
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

    // The signal caught, 0 while none is.
    static int Caught();
    // The status of a program ended by the signal, as a shell reports it: 128 and the signal.
    static int ExitStatus(int signal) { return 128 + signal; }

  private:
    struct sigaction m_previousTerm {};
    struct sigaction m_previousInterrupt {};
    struct sigaction m_previousAlarm {};
};
