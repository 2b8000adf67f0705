#include "drawing/MeasureSupport.h"

#include "drawing/CLabelFont.h"
#include "drawing/ShapeSupport.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/cdlg/CFontDialog.h"
#include "platform/win/WinDefs.h"

namespace measure {

int Finish(CPaint& measure, const CPose* pose, int handle) {
    if (measure.GetEditState() == 1) {
        const int kept = measure.CPaint::FinishCreate(pose, handle);
        return kept && !measure.IsInvalid(0) ? 1 : 0;
    }
    const CTool* tool = measure.m_pTool;
    if (tool != nullptr && (tool->m_nMouseFlags & MK_CONTROL) != 0) {
        measure.Invalidate();
        measure.InvalidateBounds();
        return 0;
    }
    shape::EndEdit(measure, pose, handle);
    return measure.IsInvalid(0) ? 0 : 1;
}

int EditLabelFont(CPaint& measure, CLabelFont& font) {
    const LOGFONT current = font.Description();
    CFontDialog dialog(&current, CF_SCREENFONTS | CF_EFFECTS);
    if (dialog.DoModal() != IDOK)
        return 0;
    measure.Invalidate();
    const std::vector<BYTE> storedBefore = measure.StoredBytes();
    LOGFONT chosen{};
    dialog.GetCurrentFont(&chosen);
    font.SetDescription(chosen);
    measure.Invalidate();
    measure.MarkChangedSince(storedBefore);
    return 1;
}

}  // namespace measure
