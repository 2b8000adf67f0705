#include "tests/support/Deadline.h"

#include <cstdio>
#include <cstdlib>

Deadline::Deadline(std::chrono::seconds limit, const char* what)
    : m_watch([this, limit, what] {
          std::unique_lock<std::mutex> lock(m_mutex);
          if (m_left.wait_for(lock, limit, [this] { return m_bLeft; }))
              return;
          std::fprintf(stderr, "%s did not end within %lld s\n", what, static_cast<long long>(limit.count()));
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
