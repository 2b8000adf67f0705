#include <algorithm>
#include <cmath>

#include "model/CCVNDoc.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/gdi/CPen.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"
#include "shell/CCVNView.h"

// The plan printed over tiled pages at a fitted or fixed scale 1:N. The pages are counted
// from the print job's own paper, never from another printer's.

namespace {

constexpr double kTenthsPerInch = 254.0;
constexpr int kFooterIndent = 10;
constexpr int kMarkArm = 100;
constexpr int kRightInset = 15;
constexpr int kMarkPenWidth = 3;
constexpr const char* kNoPrintableArea = "The printer has no printable area.";

bool IsLandscape(const CPrintInfo* info) {
    return info != nullptr && info->m_pPD != nullptr &&
           info->m_pPD->GetDevMode()->dmOrientation == DMORIENT_LANDSCAPE;
}

// The most pages a print job numbers.
constexpr double kMostPages = 65535.0;

// The pages along one side: never more than a job can number, so a layout far larger than
// its paper still prints in bounded time.
int PageCount(double length, double scale, double side) {
    const double count = std::ceil(length / scale / side);
    return count > 1.0 ? static_cast<int>(std::min(count, kMostPages)) : 1;
}

}  // namespace

// The printable sides of a page in 0.1 mm: from the job's context when there is one, else
// from the paper the job was set up with less the printer's margins; a landscape job lies on
// its long side.
void CCVNView::PrintableSides(CDC* dc, CPrintInfo* info, double& width, double& height) const {
    if (dc != nullptr && dc->GetDeviceCaps(LOGPIXELSX) > 0 && dc->GetDeviceCaps(LOGPIXELSY) > 0) {
        width = std::trunc(dc->GetDeviceCaps(HORZRES) * kTenthsPerInch / dc->GetDeviceCaps(LOGPIXELSX));
        height = std::trunc(dc->GetDeviceCaps(VERTRES) * kTenthsPerInch / dc->GetDeviceCaps(LOGPIXELSY));
    } else {
        const CRect& margins = info->m_rectMargins;
        width = info->m_nPaperWidth - margins.left - margins.right;
        height = info->m_nPaperHeight - margins.top - margins.bottom;
    }
    if (IsLandscape(info) && width < height)
        std::swap(width, height);
}

// The area to print: from the page's top-left corner to the right-most and lowest object,
// never beyond the page; an empty layout prints one page.
void CCVNView::LayoutPrintSize(double sideW, double sideH, double& width, double& height) const {
    CCVNDoc* doc = GetDocument();
    if (doc->m_rootGroup.m_members.empty()) {
        width = sideW;
        height = sideH;
        return;
    }
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    const CPose identity;
    doc->m_rootGroup.GetBounds(&identity, minX, minY, maxX, maxY);
    width = std::min(doc->m_fPageWidth, std::fabs(maxX));
    height = std::min(doc->m_fPageHeight, std::fabs(minY));
}

double CCVNView::ScaleInUse(double sideW, double sideH) const {
    const CCVNDoc* doc = GetDocument();
    if (doc->m_nPrintScaleChoice != 0)
        return doc->m_fPrintScale;
    double width = 0.0, height = 0.0;
    LayoutPrintSize(sideW, sideH, width, height);
    return std::max(1.0, std::ceil(std::max(width / sideW, height / sideH)));
}

UINT CCVNView::CountPages(CDC* dc, CPrintInfo* info) const {
    double sideW = 0.0, sideH = 0.0;
    PrintableSides(dc, info, sideW, sideH);
    if (sideW <= 0.0 || sideH <= 0.0)
        return 0;
    double width = 0.0, height = 0.0;
    LayoutPrintSize(sideW, sideH, width, height);
    const double scale = ScaleInUse(sideW, sideH);
    const double pages =
        static_cast<double>(PageCount(width, scale, sideW)) * PageCount(height, scale, sideH);
    return static_cast<UINT>(std::min(pages, kMostPages));
}

BOOL CCVNView::OnPreparePrinting(CPrintInfo* info) {
    // The print dialog starts with the session's printer and offers the pages of its paper.
    if (info->m_pPD == nullptr && !info->m_bDirect) {
        const CPrintDialog session(FALSE);
        const CSize paper = session.PaperSize();
        info->m_nPaperWidth = paper.cx;
        info->m_nPaperHeight = paper.cy;
        info->m_rectMargins = session.Margins();
    }
    if (const UINT offered = CountPages(nullptr, info); offered != 0)
        info->SetMaxPage(offered);
    if (!DoPreparePrinting(info))
        return FALSE;
    const UINT pages = CountPages(nullptr, info);
    if (pages == 0) {
        AfxMessageBox(kNoPrintableArea, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    info->SetMinPage(1);
    info->SetMaxPage(pages);
    return TRUE;
}

// The job's own context decides the page count: its printable area may differ from the paper.
void CCVNView::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
    CScrollView::OnBeginPrinting(dc, info);
    const UINT pages = CountPages(dc, info);
    if (pages == 0) {
        info->m_bContinuePrinting = FALSE;
        AfxMessageBox(kNoPrintableArea, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    info->SetMaxPage(pages);
}

void CCVNView::SetPrintOffsets(CDC* dc, CPrintInfo* info) {
    double sideW = 0.0, sideH = 0.0;
    PrintableSides(dc, info, sideW, sideH);
    if (sideW <= 0.0 || sideH <= 0.0) {
        info->m_bContinuePrinting = FALSE;
        return;
    }
    double width = 0.0, height = 0.0;
    LayoutPrintSize(sideW, sideH, width, height);
    const int columns = PageCount(width, ScaleInUse(sideW, sideH), sideW);
    const int page = static_cast<int>(info->m_nCurPage) - 1;
    Tool().m_fPrintOffsetX = (page % columns) * sideW;
    Tool().m_fPrintOffsetY = (page / columns) * sideH;
}

void CCVNView::OnPrint(CDC* dc, CPrintInfo* info) {
    CCVNDoc* doc = GetDocument();
    const double kept = doc->m_fPrintScale;
    if (doc->m_nPrintScaleChoice == 0) {
        double sideW = 0.0, sideH = 0.0;
        PrintableSides(dc, info, sideW, sideH);
        doc->m_fPrintScale = ScaleInUse(sideW, sideH);
    }
    OnPrepareDC(dc, info);
    DrawPageDecorations(dc, info);
    OnDraw(dc);
    doc->m_fPrintScale = kept;
}

void CCVNView::DrawPrinted(CDC* dc) {
    CCVNDoc* doc = GetDocument();
    CTool& tool = Tool();
    BeginWaitCursor();
    TellEngineScale(doc->m_fViewScale);
    if (doc->m_bGridShown) {
        CRect clip;
        dc->GetClipBox(&clip);
        DrawGrid(dc, clip.left, std::max(clip.top, clip.bottom), clip.right, std::min(clip.top, clip.bottom),
                 doc->m_nGridWidth, doc->m_nGridHeight);
    }
    tool.SetTargetDC(dc, dc);
    tool.DrawLayout();
    tool.SetTargetDC(nullptr, nullptr);
    EndWaitCursor();
}

void CCVNView::DrawPageDecorations(CDC* dc, CPrintInfo* info) {
    const CCVNDoc* doc = GetDocument();
    CRect area = info->m_rectDraw;
    dc->DPtoLP(&area);
    const int left = area.left, right = area.right;
    const int top = std::max(area.top, area.bottom), bottom = std::min(area.top, area.bottom);
    CPen pen(PS_SOLID, kMarkPenWidth, RGB(0, 0, 0));
    if (doc->m_bShowPageNumbers) {
        CString page, of, scale, text;
        page.LoadString(IDS_PAGE);
        of.LoadString(IDS_OF);
        scale.LoadString(IDS_SCALE);
        text.Format("%s %d %s %d     %s: 1:%.2f", page.c_str(), static_cast<int>(info->m_nCurPage),
                    of.c_str(), static_cast<int>(info->GetMaxPage()), scale.c_str(), doc->m_fPrintScale);
        const int h = std::abs(dc->GetTextExtent(text).cy);
        dc->TextOut(left + kFooterIndent, bottom + h / 4 + h, text);
    }
    if (!doc->m_bShowPageMarkers)
        return;
    CPen* old = dc->SelectObject(&pen);
    const POINT marks[4][3] = {
        {{left, top - kMarkArm}, {left, top}, {left + kMarkArm, top}},
        {{right - kRightInset - kMarkArm, top},
         {right - kRightInset, top},
         {right - kRightInset, top - kMarkArm}},
        {{right - kRightInset, bottom + 1 + kMarkArm},
         {right - kRightInset, bottom + 1},
         {right - kRightInset - kMarkArm, bottom + 1}},
        {{left + kMarkArm, bottom + 1}, {left, bottom + 1}, {left, bottom + 1 + kMarkArm}}};
    for (const auto& mark : marks) {
        dc->MoveTo(mark[0]);
        dc->LineTo(mark[1]);
        dc->LineTo(mark[2]);
    }
    dc->SelectObject(old);
}
