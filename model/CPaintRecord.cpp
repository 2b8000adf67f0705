#include <algorithm>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/LayoutFile.h"
#include "model/PatternFile.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "platform/base/CArchive.h"

// The common part of every layout object's record. Pen widths are stored as held: halving
// them for older files lost width at every store and nothing doubled them back.

namespace {

// The layer of an object that no layer shows.
constexpr int kNoLayer = -1;

}  // namespace

int CPaint::GetDocumentFileVersion() const {
    return FileVersionOf(m_pTool);
}

void CPaint::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring())
        StoreCommonPart(ar);
    else
        LoadCommonPart(ar);
}

void CPaint::StoreCommonPart(CArchive& ar) {
    ar << m_strCategory << m_strManufacturer << m_strScale << m_strType << m_strName << m_strPartNo;
    ar << m_fPrice << m_bShowInReport << m_fQuantity << m_strNote;
    ar << m_nArrowStyle << m_nArrowLength << m_nArrowWidth;
    ar << m_nFrameStyle << m_nFrameWidth << static_cast<int>(m_crFrame);
    ar << m_pen.style << m_pen.widthX << m_pen.widthY << static_cast<int>(m_pen.color);
    ar << m_brush.style << static_cast<int>(m_brush.color) << m_brush.hatch;
    ar << m_bFillOn << m_bPatternOn << m_nPatternKind << m_bLocked << m_nLayer;
    ar << m_pose.x << m_pose.y << m_pose.angle;
    ar << m_fCornerX1 << m_fCornerY1 << m_fCornerX2 << m_fCornerY2;
    ar << m_fMinX << m_fMinY << m_fMaxX << m_fMaxY;
    ar << m_bScaleWithDocument << static_cast<int>(m_crFill);
    ar << m_strPatternFile;
    m_points.Serialize(ar);
}

void CPaint::LoadCommonPart(CArchive& ar) {
    if (CTool* engine = EngineOfArchive(ar))
        m_pTool = engine;
    ar >> m_strCategory >> m_strManufacturer >> m_strScale >> m_strType >> m_strName >> m_strPartNo;
    ar >> m_fPrice >> m_bShowInReport >> m_fQuantity >> m_strNote;
    ar >> m_nArrowStyle >> m_nArrowLength >> m_nArrowWidth;
    ar >> m_nFrameStyle;
    m_nFrameWidth = PenWidthOr(ReadInt(ar), 1);
    m_crFrame = static_cast<COLORREF>(ReadInt(ar));
    ReadPen(ar, m_pen);
    ReadBrush(ar, m_brush);
    ar >> m_bFillOn >> m_bPatternOn >> m_nPatternKind >> m_bLocked;
    const int layer = ReadInt(ar);
    m_bReadOnNoLayer = layer == kNoLayer;
    m_nLayer = std::clamp(layer, 0, CTool::kLayerCount - 1);
    m_pose.x = CoordinateInRange(ReadDouble(ar));
    m_pose.y = CoordinateInRange(ReadDouble(ar));
    m_pose.angle = TurnWithinOne(ReadDouble(ar));
    for (double* coordinate :
         {&m_fCornerX1, &m_fCornerY1, &m_fCornerX2, &m_fCornerY2, &m_fMinX, &m_fMinY, &m_fMaxX, &m_fMaxY})
        *coordinate = CoordinateInRange(ReadDouble(ar));
    ar >> m_bScaleWithDocument;
    m_crFill = static_cast<COLORREF>(ReadInt(ar));
    m_bSelected = 0;
    m_strPatternFile.Empty();
    m_pPatternBitmap.reset();
    if (GetDocumentFileVersion() >= kVersionPatternFile) {
        ar >> m_strPatternFile;
        if (!LoadPatternFile(m_strPatternFile, m_pPatternBitmap, 0))
            m_pPatternBitmap.reset();
    }
    // Every version holds the point array; older ones lack only the outline points in it, which
    // the classes that repeat them in their own records add back.
    m_points.Serialize(ar);
}
