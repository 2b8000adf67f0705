#include "platform/win/CommandInProgress.h"

#include <vector>

namespace {
constexpr UINT kFirstCommandId = 0x8000;

std::vector<UINT>& Commands() {
    static std::vector<UINT> commands;
    return commands;
}
}  // namespace

CommandInProgress::CommandInProgress(UINT id) : m_marked(id >= kFirstCommandId) {
    if (m_marked)
        Commands().push_back(id);
}

CommandInProgress::~CommandInProgress() {
    if (m_marked)
        Commands().pop_back();
}

UINT CommandInProgress::Current() {
    return Commands().empty() ? 0 : Commands().back();
}
