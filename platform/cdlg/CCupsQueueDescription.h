#pragma once

#include "platform/cdlg/CQueueDescription.h"

// The media of a CUPS destination, asked of the scheduler through libcups.
class CCupsQueueDescription : public CQueueDescription {
  public:
    std::optional<QueueMedia> MediaOf(const CString& queue, int width, int length) const override;
};
