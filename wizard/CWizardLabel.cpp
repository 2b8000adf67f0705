#include "wizard/CWizardLabel.h"

#include <algorithm>
#include <cmath>

#include "model/CTool.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CWizardLabel, CPaint, 1)

namespace {

constexpr int kInitialHeight = 27;
constexpr int kNormalWeight = 400;
constexpr BYTE kCyrillicCharset = 204;
constexpr BYTE kOutlinePrecision = 3;
constexpr BYTE kStrokeClipPrecision = 2;
constexpr BYTE kDraftQuality = 1;
constexpr BYTE kVariableSwiss = 34;
// Radians to tenths of a degree, turned the way the text escapement runs.
constexpr double kEscapementPerRadian = -572.958;

}  // namespace

CWizardLabel::CWizardLabel() = default;

CWizardLabel::CWizardLabel(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_BOX);
    CreateUprightFont(m_font, kInitialHeight);
}

void CWizardLabel::CreateUprightFont(CFont& font, int height) {
    font.CreateFont(-height, 0, 0, 0, kNormalWeight, 0, 0, 0, kCyrillicCharset, kOutlinePrecision,
                    kStrokeClipPrecision, kDraftQuality, kVariableSwiss, "Arial");
}

CSize CWizardLabel::UprightTextSize(CDC& dc, const CString& text, int height) {
    CFont upright;
    CreateUprightFont(upright, height);
    CFont* oldFont = dc.SelectObject(&upright);
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(oldFont);
    return size;
}

BOOL CWizardLabel::SetLabel(double x1, double y1, double x2, double y2, int height, const CString& text,
                            int hangs) {
    m_strText = text;
    m_nHeight = -height;
    m_ptAnchor = WorldToLocal(x1, y1);
    m_fCornerX1 = m_ptAnchor.x;
    m_fCornerY1 = m_ptAnchor.y;
    const CDoublePoint second = WorldToLocal(x2, y2);
    m_fCornerX2 = second.x;
    m_fCornerY2 = second.y;
    m_bHangs = hangs;
    return TRUE;
}

void CWizardLabel::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const CPose& frame = FrameOf(pose);
    const CDoublePoint corners[] = {LocalToWorldInFrame(frame, m_fCornerX1, m_fCornerY1),
                                    LocalToWorldInFrame(frame, m_fCornerX2, m_fCornerY1),
                                    LocalToWorldInFrame(frame, m_fCornerX2, m_fCornerY2),
                                    LocalToWorldInFrame(frame, m_fCornerX1, m_fCornerY2)};
    minX = maxX = corners[0].x;
    minY = maxY = corners[0].y;
    for (const CDoublePoint& corner : corners) {
        minX = std::min(minX, corner.x);
        minY = std::min(minY, corner.y);
        maxX = std::max(maxX, corner.x);
        maxY = std::max(maxY, corner.y);
    }
}

void CWizardLabel::RecreateFont() {
    LOGFONT logFont = m_font.LogFont();
    logFont.lfHeight = m_nHeight;
    const int escapement = static_cast<int>(m_pose.angle * kEscapementPerRadian);
    logFont.lfEscapement = escapement;
    logFont.lfOrientation = escapement;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&logFont);
}

int CWizardLabel::Draw(const CPose* parent) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return 0;
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(dc->GetTextColor());
    RecreateFont();
    CFont* oldFont = dc->SelectObject(&m_font);
    const CDoublePoint world = LocalToWorldInFrame(FrameOf(parent), m_ptAnchor.x, m_ptAnchor.y);
    CPoint at = m_pTool->LayoutToDevice(world.x, world.y, 1);
    if (!m_bHangs) {
        const double h = -m_nHeight;
        at.x = static_cast<int>(at.x - h * std::sin(m_pose.angle));
        at.y = static_cast<int>(at.y + h * std::cos(m_pose.angle));
    }
    dc->TextOut(at.x, at.y, m_strText);
    dc->SelectObject(oldFont);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    return TRUE;
}

void CWizardLabel::AddTextBounds(CDC& dc, const CPose* parent, double scale, double& minX, double& minY,
                                 double& maxX, double& maxY) {
    const CSize size = UprightTextSize(dc, m_strText, -m_nHeight);
    const double width = std::abs(size.cx) * scale;
    const double height = std::abs(size.cy) * scale * (m_bHangs ? -1.0 : 1.0);
    const CDoublePoint anchor = LocalToWorldInFrame(FrameOf(parent), m_ptAnchor.x, m_ptAnchor.y);
    for (double turn : {m_pose.angle, -m_pose.angle}) {
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        for (const CDoublePoint& corner : {CDoublePoint{0.0, 0.0}, CDoublePoint{width, 0.0},
                                           CDoublePoint{0.0, height}, CDoublePoint{width, height}}) {
            const double x = anchor.x + corner.x * c - corner.y * s;
            const double y = anchor.y + corner.x * s + corner.y * c;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
    }
}
