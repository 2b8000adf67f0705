#include "platform/win/CloseInProgress.h"

namespace {
int& OpenCloses() {
    static int count = 0;
    return count;
}
}  // namespace

CloseInProgress::CloseInProgress() {
    ++OpenCloses();
}

CloseInProgress::~CloseInProgress() {
    --OpenCloses();
}

bool CloseInProgress::Any() {
    return OpenCloses() > 0;
}
