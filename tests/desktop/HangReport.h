#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A desktop test that hangs shows nothing of where: CTest kills it at its time limit with its
// output cut short. A test that has run far longer than any of them takes, the stacks of the test
// and of the programs it started go to its output, and the test ends, so the run goes on sooner.
class HangReport : public testing::EmptyTestEventListener {
  public:
    explicit HangReport(std::chrono::seconds limit) : m_limit(limit) {}
    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

  private:
    void Watch(const std::string& name);

    const std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_running = false;
    std::thread m_watcher;
};
