#include <algorithm>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/DefaultTrackKind.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"

namespace {

constexpr int kFontIntCount = 5;
constexpr int kFontByteCount = 8;
constexpr int kFaceNameLength = 32;
constexpr int kSnapOff = -1;
constexpr int kLastSnapMode = 3;

// The font of the record is written empty and ignored when read.
void WriteEmptyFont(CArchive& ar) {
    for (int i = 0; i < kFontIntCount; ++i) ar << 0;
    for (int i = 0; i < kFontByteCount; ++i) ar << static_cast<BYTE>(0);
    ar << CString('\0', kFaceNameLength);
}

void SkipFont(CArchive& ar) {
    for (int i = 0; i < kFontIntCount; ++i) ReadInt(ar);
    BYTE ignored = 0;
    for (int i = 0; i < kFontByteCount; ++i) ar >> ignored;
    CString faceName;
    ar >> faceName;
}

}  // namespace

void CTool::SetDefaultTrack(std::unique_ptr<CPaint> track) {
    CParTrack* piece = PaintAsDefaultTrack(track.get());
    if (track != nullptr && piece == nullptr)
        return;
    m_pDefaultTrack = piece;
    m_pOwnedDefaultTrack = std::move(track);
}

void CTool::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        StoreSettings(ar, CurrentWork());
    else
        LoadSettings(ar);
}

CTool::WorkState CTool::CurrentWork() const {
    return {m_toolMode,   m_nSnapMode,    m_fZoomNumerator,   m_fZoomDenominator,
            m_fZoomRatio, m_nActiveLayer, m_bTerrainConformed};
}

void CTool::StoreSettings(CArchive& ar, const WorkState& work) const {
    ar.WriteObject(DefaultTrackAsPaint(m_pDefaultTrack));
    ar << m_penDefault.style << m_penDefault.widthX << m_penDefault.widthY
       << static_cast<int>(m_penDefault.color);
    ar << m_brushDefault.style << static_cast<int>(m_brushDefault.color) << m_brushDefault.hatch;
    ar << work.toolMode;
    WriteEmptyFont(ar);
    ar << static_cast<int>(m_crFillDefault) << m_bFillOnDefault << m_bPatternOnDefault << m_nPivotMarkSize;
    ar << work.snapMode << work.zoomNumerator << work.zoomDenominator << work.zoomRatio << m_fHandleSize;
    int shown = 0;
    for (int layer = 0; layer < kLayerCount; ++layer)
        if (m_bLayerShown[layer])
            shown |= 1 << layer;
    ar << shown << m_fSnapDistance << work.activeLayer << work.terrainConformed;
}

void CTool::LoadDefaultTrack(CArchive& ar) {
    const DefaultTrackKind& kind = GetDefaultTrackKind();
    if (kind.runtimeClass == nullptr)
        FailRead(ar, CArchiveException::badClass);
    std::unique_ptr<CObject> read(ar.ReadObject(kind.runtimeClass));
    if (read == nullptr)
        return;
    std::unique_ptr<CPaint> track(static_cast<CPaint*>(read.release()));
    track->SetTool(this);
    SetDefaultTrack(std::move(track));
}

void CTool::LoadSettings(CArchive& ar) {
    const int version = FileVersionOf(this);
    if (version >= kVersionDefaultTrack)
        LoadDefaultTrack(ar);
    ReadPen(ar, m_penDefault);
    ReadBrush(ar, m_brushDefault);
    const int mode = ReadInt(ar);
    m_toolMode.Set(mode >= 0 && mode < kToolCount ? mode : kToolSelector);
    SkipFont(ar);
    m_crFillDefault = static_cast<COLORREF>(ReadInt(ar));
    ar >> m_bFillOnDefault >> m_bPatternOnDefault;
    m_nPivotMarkSize = std::clamp(ReadInt(ar), 0, kLargestMarkSize);
    const int snap = ReadInt(ar);
    m_nSnapMode = snap >= kSnapOff && snap <= kLastSnapMode ? snap : kSnapOff;
    m_fZoomNumerator = InRangeOr(ReadDouble(ar), kLeastZoom, kLargestZoom, m_fZoomNumerator);
    m_fZoomDenominator = InRangeOr(ReadDouble(ar), kLeastZoom, kLargestZoom, m_fZoomDenominator);
    m_fZoomRatio = InRangeOr(ReadDouble(ar), kLeastZoom / kLargestZoom, kLargestZoom / kLeastZoom,
                             m_fZoomNumerator / m_fZoomDenominator);
    m_fHandleSize = PositiveUpToOr(ReadDouble(ar), kLargestHandleSize, m_fHandleSize);
    const int shown = ReadInt(ar);
    for (int layer = 0; layer < kLayerCount; ++layer) m_bLayerShown[layer] = (shown >> layer) & 1;
    m_fSnapDistance = InRangeOr(ReadDouble(ar), 0.0, kLargestCoordinate, m_fSnapDistance);
    if (version >= kVersionActiveLayer)
        m_nActiveLayer = std::clamp(ReadInt(ar), 0, kLayerCount - 1);
    if (version >= kVersionTerrainConformed)
        ar >> m_bTerrainConformed;
}
