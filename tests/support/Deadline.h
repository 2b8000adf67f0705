#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Ends the test program with a message when the scope is not left in time: a test of work
// that must end fails at once instead of hanging until the test runner gives up. Before it ends,
// lastWords may tell more of where the work hangs.
class Deadline {
  public:
    Deadline(std::chrono::seconds limit, const char* what, std::function<void()> lastWords = {});
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
    ~Deadline();

  private:
    std::mutex m_mutex;
    std::condition_variable m_left;
    bool m_bLeft = false;
    std::thread m_watch;
};
