#include "platform/cdlg/PrinterMargins.h"

#include "platform/cdlg/CCupsQueueDescription.h"
#include "platform/cdlg/PrinterQueue.h"

namespace {
std::unique_ptr<CQueueDescription>& Description() {
    static std::unique_ptr<CQueueDescription> description = std::make_unique<CCupsQueueDescription>();
    return description;
}

// Hundredths to tenths of a millimetre, rounding a part up: a margin is never made narrower.
int Tenths(int hundredths) {
    return hundredths > 0 ? (hundredths + 9) / 10 : 0;
}
}  // namespace

namespace PrinterMargins {

CRect Of(const CString& printer, CSize paper, bool landscape) {
    if (printer == PrinterQueue::kSaveAsPdf)
        return CRect();
    const std::optional<QueueMedia> media = Description()->MediaOf(printer, paper.cx * 10, paper.cy * 10);
    if (!media)
        return CRect();
    const CRect portrait(Tenths(media->left), Tenths(media->top), Tenths(media->right),
                         Tenths(media->bottom));
    if (!landscape)
        return portrait;
    return CRect(portrait.top, portrait.right, portrait.bottom, portrait.left);
}

const CQueueDescription& QueueDescription() {
    return *Description();
}

void SetQueueDescription(std::unique_ptr<CQueueDescription> description) {
    Description() = description ? std::move(description) : std::make_unique<CCupsQueueDescription>();
}

}  // namespace PrinterMargins
