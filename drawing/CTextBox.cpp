#include "drawing/CTextBox.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "drawing/AnnotationSupport.h"
#include "drawing/CLabelFont.h"
#include "drawing/CShapePen.h"
#include "drawing/CTextPropertyDialog.h"
#include "drawing/FontRecord.h"
#include "drawing/ShapeSupport.h"
#include "drawing/TextLayout.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "model/Geometry.h"
#include "model/RecordReading.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CTextBox, CPaint, 1)

namespace {

// Tenths of a degree of font escapement per radian, turned the way the plan turns.
constexpr double kEscapementPerRadian = -572.958;
constexpr int kStoredOrder[] = {2, 3, 4, 1, 0};

// The label font of the measures, 27 millimetres high on the plan.
LOGFONT DefaultTextFont() {
    LOGFONT font = CLabelFont::DefaultDescription();
    font.lfHeight = -27;
    return font;
}

bool SameFont(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

}  // namespace

CTextBox::CTextBox() = default;

CTextBox::CTextBox(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_TEXT);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    const double h = tool != nullptr ? tool->GetHandleTolerance() : 0.0;
    m_points[0] = {m_points[4].x + 2.0 * h, m_points[4].y + 2.0 * h};
    m_fontRecord = DefaultTextFont();
    CreateFont();
}

void CTextBox::CreateFont() {
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreateFontIndirect(&m_fontRecord);
}

std::vector<CDoublePoint> CTextBox::Corners() const {
    return {m_points[1], m_points[2], m_points[3], m_points[4]};
}

std::vector<CDoublePoint> CTextBox::SnapCorners() const {
    return {m_points[1], m_points[3], m_points[4], m_points[2]};
}

int CTextBox::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return !HasPoints() || m_points[1].x == m_points[3].x || m_points[1].y == m_points[3].y ? 1 : 0;
}

// ---- Record ----

void CTextBox::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    annotation::SerializeOutlinePoints(ar, m_points, GetDocumentFileVersion(), kStoredOrder, kPointCount);
    if (ar.IsStoring()) {
        ar << 1 << 1 << m_strText << static_cast<int>(m_crText);
        StoreFontRecord(ar, m_fontRecord);
        return;
    }
    ReadInt(ar);
    ReadInt(ar);
    m_strText = ReadString(ar);
    m_crText = static_cast<COLORREF>(ReadInt(ar));
    m_fontRecord = LoadFontRecord(ar);
    CreateFont();
}

void CTextBox::CompareProperties(CPaint* other) {
    CPaint::CompareProperties(other);
    auto* text = dynamic_cast<CTextBox*>(other);
    if (text == nullptr || m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return;
    PropertyFlags& flags = m_pTool->m_pHost->GetPropertyFlags();
    flags[kDiffersText] = m_strText != text->m_strText;
    flags[kDiffersFont] = !SameFont(m_fontRecord, text->m_fontRecord);
}

void CTextBox::RecreateResources(int recreate) {
    m_pFont.reset();
    if (recreate != 0)
        CreateFont();
}

void CTextBox::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CTextBox*>(other)) {
        m_fontRecord = source->m_fontRecord;
        m_crText = source->m_crText;
        CreateFont();
        m_strText = source->m_strText;
    }
    CPaint::CopyFrom(other);
}

CPaint* CTextBox::Clone() {
    auto* copy = new CTextBox;
    copy->CopyFrom(this);
    return copy;
}

// ---- Geometry ----

void CTextBox::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (HasPoints())
        shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), Corners(), minX, minY, maxX, maxY);
}

bool CTextBox::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points.clear();
    if (HasPoints())
        points = Corners();
    return true;
}

void CTextBox::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    if (HasPoints())
        annotation::SnapToNearestCorner(*this, FrameOf(pose), SnapCorners(), x, y, vectorX, vectorY);
}

void CTextBox::NearestEndPoint(double& x, double& y, const CPose* pose) {
    if (HasPoints())
        annotation::SmallestCornerCorrection(*this, FrameOf(pose), SnapCorners(), x, y);
}

// Corner 1 stays, corner 3 moves; the font keeps its height.
int CTextBox::Rescale(CEditStep* step) {
    return annotation::RescaleBoxCorner(*this, step, 3, 1);
}

// ---- Drawing ----

int CTextBox::DeviceFontHeight() const {
    const double height = m_pTool->IsPrinting() && m_pTool->m_pHost != nullptr
                              ? m_fontRecord.lfHeight / m_pTool->m_pHost->GetPrintScale() * 10.0
                              : m_fontRecord.lfHeight * 10.0 * m_pTool->ZoomRatio();
    return std::isfinite(height) ? TruncateCoordinate(height) : 0;
}

int CTextBox::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    const CPlacement placement(m_pose, frame);
    std::vector<CPoint> corners;
    if (dc == nullptr || !shape::OutlineToDevice(*m_pTool, placement, Corners(), corners))
        return 0;
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF previousColor = dc->SetTextColor(m_crText);
    if (GetEditState() != 0)
        DrawText(*dc, placement, corners);
    if (IsSelected() && !m_pTool->IsPrinting())
        DrawFrame(*dc, corners, frame);
    dc->SetTextColor(previousColor);
    dc->SetBkMode(previousMode);
    return 1;
}

void CTextBox::DrawText(CDC& dc, const CPlacement& placement, const std::vector<CPoint>& corners) {
    const bool printing = m_pTool->IsPrinting();
    const int lineHeight = std::abs(DeviceFontHeight());
    const double escapement = placement.World().angle * kEscapementPerRadian;
    if (lineHeight == 0 || !std::isfinite(escapement) || std::fabs(escapement) > 1.0e6) {
        // Too small to read at this zoom: no text, and nothing for the hit test to find.
        if (!printing)
            m_lineWidths.clear();
        return;
    }
    const auto length = [](const CPoint& a, const CPoint& b) {
        return TruncateCoordinate(VectorLength(b.x - a.x, b.y - a.y));
    };
    const int width = length(corners[0], corners[3]);
    const int height = length(corners[0], corners[1]);
    // A box lower than one line shows no text, and its font is not even made.
    const TextLayout layout = lineHeight < height
                                  ? DrawCharacters(dc, placement, width, height, lineHeight, escapement)
                                  : TextLayout{{}, {0}};
    // Printing maps to the paper: the hit test keeps the lines of the screen.
    if (!printing) {
        m_lineWidths = layout.lineWidths;
        m_nLineHeight = lineHeight;
    }
}

TextLayout CTextBox::DrawCharacters(CDC& dc, const CPlacement& placement, int width, int height,
                                    int lineHeight, double escapement) {
    LOGFONT turned = m_fontRecord;
    turned.lfEscapement = turned.lfOrientation = static_cast<int>(escapement);
    turned.lfHeight = DeviceFontHeight();
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreateFontIndirect(&turned);
    CFont* previousFont = dc.SelectObject(m_pFont.get());
    const auto characterWidth = [&dc](char c) {
        int w = 0;
        dc.GetCharWidth(static_cast<unsigned char>(c), static_cast<unsigned char>(c), &w);
        return w;
    };
    TextLayout layout{{}, {0}};
    if (characterWidth('W') < width) {
        const CDoublePoint &p1 = m_points[1], &p3 = m_points[3];
        CPoint anchor;
        shape::ToDevice(*m_pTool, placement, {std::min(p1.x, p3.x), std::max(p1.y, p3.y)}, anchor);
        layout = LayOutText(m_strText, width, height, lineHeight, characterWidth);
        const double angle = placement.World().angle;
        for (const PlacedCharacter& placed : layout.characters) {
            const CDoublePoint at =
                RotatePoint(anchor.x, anchor.y, angle, anchor.x + placed.x, anchor.y + placed.y);
            dc.TextOut(TruncateCoordinate(at.x), TruncateCoordinate(at.y), CString(&placed.character, 1));
        }
    }
    dc.SelectObject(previousFont);
    return layout;
}

void CTextBox::DrawFrame(CDC& dc, const std::vector<CPoint>& corners, const CPose& frame) {
    {
        CShapePen pen(*this, dc);
        dc.MoveTo(corners.back());
        for (const CPoint& corner : corners) dc.LineTo(corner);
    }
    if (shape::ShowsHandles(*this))
        shape::DrawBoxHandles(*this, frame);
}

// ---- Hit tests ----

double CTextBox::LineHeightInLayout() const {
    return m_pTool->ZoomRatio() > 0.0 ? m_nLineHeight / m_pTool->ZoomRatio() : 0.0;
}

bool CTextBox::CursorOnText(CDoublePoint local) const {
    const double lineHeight = LineHeightInLayout();
    if (lineHeight <= 0.0 || m_lineWidths.empty())
        return false;
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2], &p4 = m_points[4];
    const double x0 = std::min(p1.x, p4.x), y0 = std::max(p1.y, p2.y);
    const double lines = static_cast<double>(m_lineWidths.size());
    if (local.x < x0 || local.x > x0 + std::fabs(p4.x - p1.x) || local.y > y0 ||
        local.y < y0 - lines * lineHeight)
        return false;
    const int line = std::clamp(static_cast<int>(std::fabs(local.y - y0) / lineHeight), 0,
                                static_cast<int>(m_lineWidths.size()) - 1);
    return local.x < x0 + m_lineWidths[static_cast<size_t>(line)] / m_pTool->ZoomRatio();
}

CPaint* CTextBox::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        if (!m_pTool->IsLayerVisible(m_nLayer))
            return nullptr;
        const double lineHeight = LineHeightInLayout();
        const double x0 = std::min(m_points[1].x, m_points[4].x), y0 = std::max(m_points[1].y, m_points[2].y);
        for (size_t i = 0; i < m_lineWidths.size() && lineHeight > 0.0; ++i) {
            if (m_lineWidths[i] == 0)
                continue;
            const double top = y0 - static_cast<double>(i) * lineHeight, bottom = top - lineHeight;
            const double right = x0 + m_lineWidths[i] / m_pTool->ZoomRatio();
            if (shape::BandHitsShape(*this, {{x0, top}, {right, top}, {right, bottom}, {x0, bottom}}, true))
                return this;
        }
        return nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    if (CursorOnText(WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY)))
        return this;
    return IsSelected() && shape::CursorOnOutline(*this, Corners(), true) ? this : nullptr;
}

// ---- Mouse ----

void CTextBox::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    const bool creating = m_pTool->m_toolMode == kToolText;
    if (creating)
        Invalidate();
    const CPose& frame = FrameOf(pose);
    if (handle == 0) {
        if (!creating)
            CPaint::TrackCreate(pose, handle);
        annotation::BeginBoxRotation(*this, frame, 1, 3);
    } else if (handle == -1) {
        annotation::SaveRescaleReferences(*this, 3, 1);
    } else if (handle >= 1 && handle <= 4 && !creating) {
        annotation::PushCornerUndo(*this, frame, handle);
    }
    Invalidate();
}

void CTextBox::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    annotation::DragBoxCorner(*this, pose, FrameOf(pose), handle);
}

int CTextBox::FinishCreate(const CPose* pose, int handle) {
    if (m_strText.IsEmpty() && !IsInvalid(0)) {
        CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
        if (host != nullptr)
            host->SetModalDialogFlag(TRUE);
        RunDialog();
        if (host != nullptr)
            host->SetModalDialogFlag(FALSE);
        Invalidate();
    }
    CPaint::FinishCreate(pose, handle);
    return IsInvalid(0) ? 0 : 1;
}

bool CTextBox::RunDialog() {
    CTextPropertyDialog dialog;
    dialog.SetText(m_strText);
    dialog.SetFont(m_fontRecord);
    dialog.SetColor(m_crText);
    const bool accepted = dialog.DoModal() == IDOK;
    if (accepted) {
        Invalidate();
        m_strText = dialog.GetText();
        m_crText = dialog.GetColor();
        m_fontRecord = dialog.GetFont();
        CreateFont();
    }
    if (m_strText.IsEmpty())
        m_strText = " ";
    return accepted;
}

int CTextBox::EditProperties(const CPose*) {
    const std::vector<BYTE> storedBefore = StoredBytes();
    const bool accepted = RunDialog();
    if (accepted)
        MarkChangedSince(storedBefore);
    if (m_pTool != nullptr)
        m_pTool->m_toolMode.Set(kToolSelector);
    Invalidate();
    return accepted ? 1 : 0;
}

// ---- Status ----

void CTextBox::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2], &p4 = m_points[4];
    annotation::ShowBoxStatus(*this, FrameOf(pose), p1, p4, std::fabs(p1.y - p2.y), std::fabs(p1.x - p4.x),
                              16);
}

void CTextBox::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    CString angle;
    angle.Format("; %.2f", m_pTool->m_status.m_fRotation);
    text = m_pTool->m_status.m_strMeasure[2] + "; " + m_pTool->m_status.m_strMeasure[3] + angle;
}
