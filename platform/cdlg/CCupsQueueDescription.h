#pragma once

#include "platform/cdlg/CQueueDescription.h"

// The media of CUPS destinations and the default one, asked of the scheduler through libcups.
class CCupsQueueDescription : public CQueueDescription {
  public:
    std::optional<QueueMedia> MediaOf(const CString& queue, int width, int length) const override;
    // The user's default destination, as lpoptions, the PRINTER setting or the scheduler give it.
    CString DefaultQueue() const override;
};
