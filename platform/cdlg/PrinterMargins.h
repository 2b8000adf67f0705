#pragma once

#include <memory>

#include "platform/base/CString.h"
#include "platform/cdlg/CQueueDescription.h"
#include "platform/gdi/CRect.h"

// The margins a printer cannot print on, in tenths of a millimetre from each edge of the paper
// as it lies in the job: "Save as PDF" prints the whole sheet, a queue leaves what its media's
// margins say (none when the queue cannot be described).
namespace PrinterMargins {
// paper: the portrait size in tenths of a millimetre; landscape turns the sheet a quarter turn
// anticlockwise, so its left margin is the portrait top.
CRect Of(const CString& printer, CSize paper, bool landscape);

// Who describes the queues: CUPS unless a test set a stand-in (null puts CUPS back).
void SetQueueDescription(std::unique_ptr<CQueueDescription> description);
const CQueueDescription& QueueDescription();
}  // namespace PrinterMargins
