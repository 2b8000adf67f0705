#include "platform/win/CPrintInfo.h"
#include "platform/win/CView.h"

namespace {
PrintPreviewRunner& InstalledRunner() {
    static PrintPreviewRunner runner;
    return runner;
}
}  // namespace

void AfxSetPrintPreview(PrintPreviewRunner runner) {
    InstalledRunner() = std::move(runner);
}

void CView::OnFilePrintPreview() {
    if (InstalledRunner())
        InstalledRunner()(this);
}

void CView::OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT, CPreviewView*) {
    OnEndPrinting(dc, info);
}
