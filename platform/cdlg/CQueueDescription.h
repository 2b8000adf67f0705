#pragma once

#include <optional>

#include "platform/base/CString.h"

// A sheet as a printer queue describes it, in hundredths of a millimetre: its portrait size and
// the margins along each edge that the printer cannot print on.
struct QueueMedia {
    int width = 0;
    int length = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What the machine's printer queues tell of their media. The program asks CUPS; tests fill a
// stand-in.
class CQueueDescription {
  public:
    virtual ~CQueueDescription() = default;
    // The queue's media of the given portrait size (hundredths of a millimetre), or the nearest it
    // has, else its default media; nothing for a queue it cannot describe.
    virtual std::optional<QueueMedia> MediaOf(const CString& queue, int width, int length) const = 0;
    // The queue jobs go to when the user chose none; empty when there is no default.
    virtual CString DefaultQueue() const { return {}; }
};
