#include <algorithm>
#include <utility>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CMissingFileReport.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"
#include "platform/win/MessageBoxes.h"

// The layout file: the document record, the engine's record and the root group's record.
// Everything read is checked: a value no layout can hold takes its built-in default, and a
// record that cannot be read fails the open with the framework's file error.

namespace {

// The message about what reading mended names this many things; the rest are counted.
constexpr std::size_t kNamedMendsLimit = 10;

CString MendedText(const std::vector<CString>& mended) {
    CString text = "Values that could not be used as stored were mended:";
    const std::size_t named = std::min(mended.size(), kNamedMendsLimit);
    for (std::size_t i = 0; i < named; ++i) text += "\n" + mended[i];
    if (mended.size() > named) {
        CString more;
        more.Format("\nand %d more.", static_cast<int>(mended.size() - named));
        text += more;
    }
    return text;
}

}  // namespace

void CCVNDoc::Serialize(CArchive& ar) {
    if (ar.m_pDocument == nullptr)
        ar.m_pDocument = this;
    if (ar.IsStoring()) {
        m_nFileVersion = kLayoutFileVersion;
        StoreDocumentRecord(ar, {m_fViewScaleCopy, m_nUnitIndexCopy});
        m_tool.Serialize(ar);
        m_rootGroup.Serialize(ar);
        return;
    }
    const CMissingFileReport missingFiles;
    m_mendedOnReading.clear();
    LoadDocumentRecord(ar);
    m_tool.Serialize(ar);
    m_rootGroup.Serialize(ar);
    m_tool.AttachToObjects();
}

void CCVNDoc::ShowMendedOnReading() {
    const std::vector<CString> mended = std::exchange(m_mendedOnReading, {});
    if (!mended.empty())
        AfxMessageBox(MendedText(mended), MB_OK | MB_ICONEXCLAMATION);
}

void CCVNDoc::StoreDocumentRecord(CArchive& ar, const RulersShown& rulers) const {
    ar << kLayoutFileVersion << m_nHeaderMarker << m_fPageWidth << m_fPageHeight << m_fViewScale
       << rulers.viewScale;
    ar << m_nReserved << m_nUnitIndex << m_nDefaultScaleIndex << rulers.unitIndex;
    ar << m_bGridShown << m_nGridWidth << m_nGridHeight << static_cast<int>(m_crGrid);
    ar << m_strSpare << m_nSpareFlag << m_strBenchworkTexture << m_bUseBackdrop << m_strBackdrop;
    ar << static_cast<int>(m_cr3DBackground) << m_nPrintScaleChoice << m_fPrintScale;
    ar << m_strLibraryPath << m_strLibraryFileName << m_strPartsPath << m_strPartsFileName;
    ar << m_limits.maxConnectionDistance << m_limits.maxElevationGap << m_limits.maxGrade << m_limits.maxAngle
       << m_limits.bendLimit;
    ar << m_bShowPageMarkers << m_bShowPageNumbers << static_cast<int>(m_crBackground) << kProductMarker;
}

std::vector<BYTE> CCVNDoc::SettingsRecords() const {
    CMemFile memory;
    CArchive ar(&memory, CArchive::store);
    StoreDocumentRecord(ar, {});
    m_tool.StoreSettings(ar, {});
    ar.Close();
    return memory.Detach();
}

void CCVNDoc::ReadFileVersion(CArchive& ar) {
    const int version = ReadInt(ar);
    if (version < 1)
        FailRead(ar, CArchiveException::badSchema);
    m_nFileVersion = std::min(version, kLayoutFileVersion);
}

void CCVNDoc::ReadTrackLimits(CArchive& ar) {
    const TrackLimits defaults;
    m_limits.maxConnectionDistance = FiniteOr(ReadDouble(ar), defaults.maxConnectionDistance);
    m_limits.maxElevationGap = FiniteOr(ReadDouble(ar), defaults.maxElevationGap);
    m_limits.maxGrade = FiniteOr(ReadDouble(ar), defaults.maxGrade);
    m_limits.maxAngle = FiniteOr(ReadDouble(ar), defaults.maxAngle);
    m_limits.bendLimit = FiniteOr(ReadDouble(ar), defaults.bendLimit);
}

void CCVNDoc::LoadDocumentRecord(CArchive& ar) {
    ReadFileVersion(ar);
    ar >> m_nHeaderMarker;
    m_fPageWidth = PageSideOr(ReadDouble(ar), m_fPageWidth);
    m_fPageHeight = PageSideOr(ReadDouble(ar), m_fPageHeight);
    m_fViewScale = ViewScaleOr(ReadDouble(ar), m_fPageWidth, m_fPageHeight, 10.0);
    m_fViewScaleCopy = ViewScaleOr(ReadDouble(ar), m_fPageWidth, m_fPageHeight, m_fViewScale);
    ar >> m_nReserved;
    m_nUnitIndex = IndexOr(ReadInt(ar), kUnitCount, kDefaultUnitIndex);
    m_nDefaultScaleIndex = IndexOr(ReadInt(ar), kScaleCount, kDefaultScaleIndex);
    m_nUnitIndexCopy = IndexOr(ReadInt(ar), kUnitCount, m_nUnitIndex);
    ar >> m_bGridShown;
    m_nGridWidth = GridSizeOr(ReadInt(ar), kDefaultGridSize);
    m_nGridHeight = GridSizeOr(ReadInt(ar), kDefaultGridSize);
    m_crGrid = static_cast<COLORREF>(ReadInt(ar));
    ar >> m_strSpare >> m_nSpareFlag >> m_strBenchworkTexture >> m_bUseBackdrop >> m_strBackdrop;
    if (m_nFileVersion >= kVersionDocumentSettings) {
        m_cr3DBackground = static_cast<COLORREF>(ReadInt(ar));
        ar >> m_nPrintScaleChoice;
        m_fPrintScale = PrintScaleOr(ReadDouble(ar), 1.0);
        // The names of the library and parts files are not taken from the layout.
        for (int i = 0; i < 4; ++i) ReadString(ar);
        m_strLibraryPath.Empty();
        m_strLibraryFileName = "New.CVL";
        m_strPartsPath.Empty();
        m_strPartsFileName = "New.CVP";
        ReadTrackLimits(ar);
        ar >> m_bShowPageMarkers >> m_bShowPageNumbers;
    }
    if (m_nFileVersion >= kVersionBackgroundColor) {
        m_crBackground = static_cast<COLORREF>(ReadInt(ar));
        ar >> m_nProductMarker;
    }
}
