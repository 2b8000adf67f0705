#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "tests/support/Deadline.h"

// A desktop test that hangs shows nothing of where: CTest kills it at its time limit with its
// output cut short. A test that has run far longer than any of them takes prints the stacks of
// the test and of the programs it started, and ends, so the run goes on sooner.
class HangReport : public testing::EmptyTestEventListener {
  public:
    explicit HangReport(std::chrono::seconds limit) : m_limit(limit) {}
    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

  private:
    static void PrintStacks();

    const std::chrono::seconds m_limit;
    std::string m_test;
    std::unique_ptr<Deadline> m_deadline;
};
