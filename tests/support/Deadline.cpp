#include "tests/support/Deadline.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

Deadline::Deadline(std::chrono::seconds limit, const char* what, std::function<void()> lastWords)
    : m_watch([this, limit, what, lastWords = std::move(lastWords)] {
          std::unique_lock<std::mutex> lock(m_mutex);
          if (m_left.wait_for(lock, limit, [this] { return m_bLeft; }))
              return;
          std::fprintf(stderr, "%s did not end within %lld s\n", what, static_cast<long long>(limit.count()));
          if (lastWords) {
              std::fflush(stderr);
              lastWords();
          }
          std::abort();
      }) {}

Deadline::~Deadline() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bLeft = true;
    }
    m_left.notify_one();
    m_watch.join();
}
