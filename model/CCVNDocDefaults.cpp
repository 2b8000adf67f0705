#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/CSettingsBackup.h"
#include "model/DefaultTrackKind.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "resources/StringTable.h"

// The default-settings files in the program folder: "DefPref.Dat" holds the settings new
// layouts start with, "DefTrack.Dat" the track piece new track copies. A file that cannot be
// read gives the built-in defaults; the user hears of it once per run, not at every New.

namespace {

constexpr const char* kPreferencesFile = "DefPref.Dat";
constexpr const char* kDefaultTrackFile = "DefTrack.Dat";

// Whether a damaged or mended file was already reported in this run; writing the file anew
// clears it.
bool& ReportedDamage(const char* fileName) {
    static bool preferences = false;
    static bool track = false;
    return fileName == kPreferencesFile ? preferences : track;
}

// A default-settings file holds its record and nothing after it: bytes left over show that
// it is some other file.
void FailUnlessWhollyRead(const CArchive& ar) {
    if (ar.BytesRemaining() != 0)
        FailRead(ar, CArchiveException::generic);
}

// The real path of a default-settings file; empty while the program folder is unknown.
std::filesystem::path SettingsPath(const char* fileName) {
    const CString base = CDataFolders::GetBaseFolder();
    if (base.IsEmpty())
        return {};
    return CWinPath::Resolve(base + fileName);
}

}  // namespace

void CCVNDoc::NoteDamagedSettings(const char* fileName) {
    if (ReportedDamage(fileName))
        return;
    ReportedDamage(fileName) = true;
    if (!m_strSettingsWarning.IsEmpty())
        m_strSettingsWarning += "\n";
    m_strSettingsWarning += CStringTable::Text(IDS_COULD_NOT_READ_FILE) + " " + fileName;
}

// Until a session starts and names them, what reading the default track mended waits.
void CCVNDoc::KeepMendedDefaultTrack() {
    std::vector<CString> mended = std::exchange(m_mendedOnReading, {});
    if (!ReportedDamage(kDefaultTrackFile))
        m_mendedDefaultTrack = std::move(mended);
}

void CCVNDoc::AddMendedDefaultTrack() {
    if (m_mendedDefaultTrack.empty())
        return;
    ReportedDamage(kDefaultTrackFile) = true;
    m_mendedOnReading.insert(m_mendedOnReading.begin(), m_mendedDefaultTrack.begin(),
                             m_mendedDefaultTrack.end());
    m_mendedDefaultTrack.clear();
}

void CCVNDoc::ShowSettingsWarning() {
    if (m_strSettingsWarning.IsEmpty())
        return;
    const CString text = m_strSettingsWarning;
    m_strSettingsWarning.Empty();
    ReportError(text);
}

void CCVNDoc::ReadPreferences() {
    const std::filesystem::path path = SettingsPath(kPreferencesFile);
    CFile file;
    if (path.empty() || !file.Open(path, CFile::modeRead)) {
        SetBuiltInDefaults();
        CFile created;
        if (!path.empty() && created.Open(path, CFile::modeCreate | CFile::modeWrite))
            created.Close();
        return;
    }
    if (file.GetLength() == 0) {
        SetBuiltInDefaults();
        return;
    }
    // A damaged file leaves the engine's two settings as they were.
    const double handleSize = m_tool.m_fHandleSize;
    const double snapDistance = m_tool.m_fSnapDistance;
    try {
        CArchive ar(&file, CArchive::load);
        LoadPreferences(ar);
        FailUnlessWhollyRead(ar);
    } catch (const CException&) {
        SetBuiltInDefaults();
        m_tool.m_fHandleSize = handleSize;
        m_tool.m_fSnapDistance = snapDistance;
        NoteDamagedSettings(kPreferencesFile);
    }
}

void CCVNDoc::LoadPreferences(CArchive& ar) {
    m_fPageWidth = PageSideOr(ReadDouble(ar), kDefaultPageWidth);
    m_fPageHeight = PageSideOr(ReadDouble(ar), kDefaultPageHeight);
    m_fViewScale = ViewScaleOr(ReadDouble(ar), m_fPageWidth, m_fPageHeight, 10.0);
    ar >> m_nReserved;
    m_nUnitIndex = IndexOr(ReadInt(ar), kUnitCount, kDefaultUnitIndex);
    m_nDefaultScaleIndex = IndexOr(ReadInt(ar), kScaleCount, kDefaultScaleIndex);
    ar >> m_bGridShown;
    m_nGridWidth = GridSizeOr(ReadInt(ar), kDefaultGridSize);
    m_nGridHeight = GridSizeOr(ReadInt(ar), kDefaultGridSize);
    m_crGrid = static_cast<COLORREF>(ReadInt(ar));
    m_crBackground = static_cast<COLORREF>(ReadInt(ar));
    ar >> m_strSpare >> m_nSpareFlag >> m_strBenchworkTexture >> m_bUseBackdrop >> m_strBackdrop;
    m_cr3DBackground = static_cast<COLORREF>(ReadInt(ar));
    ar >> m_nPrintScaleChoice;
    m_fPrintScale = PrintScaleOr(ReadDouble(ar), 1.0);
    ar >> m_strLibraryPath >> m_strLibraryFileName >> m_strPartsPath >> m_strPartsFileName;
    ReadTrackLimits(ar);
    ar >> m_bShowPageMarkers >> m_bShowPageNumbers;
    const double handleSize = ReadDouble(ar);
    const double snapDistance = ReadDouble(ar);
    m_tool.m_fHandleSize = PositiveUpToOr(handleSize, CTool::kLargestHandleSize, m_tool.m_fHandleSize);
    m_tool.m_fSnapDistance = InRangeOr(snapDistance, 0.0, kLargestCoordinate, m_tool.m_fSnapDistance);
}

void CCVNDoc::StorePreferences(CArchive& ar, double handleSize) const {
    ar << m_fPageWidth << m_fPageHeight << m_fViewScale << m_nReserved << m_nUnitIndex
       << m_nDefaultScaleIndex;
    ar << m_bGridShown << m_nGridWidth << m_nGridHeight << static_cast<int>(m_crGrid)
       << static_cast<int>(m_crBackground);
    ar << m_strSpare << m_nSpareFlag << m_strBenchworkTexture << m_bUseBackdrop << m_strBackdrop;
    ar << static_cast<int>(m_cr3DBackground) << m_nPrintScaleChoice << m_fPrintScale;
    ar << m_strLibraryPath << m_strLibraryFileName << m_strPartsPath << m_strPartsFileName;
    ar << m_limits.maxConnectionDistance << m_limits.maxElevationGap << m_limits.maxGrade << m_limits.maxAngle
       << m_limits.bendLimit;
    ar << m_bShowPageMarkers << m_bShowPageNumbers << handleSize << m_tool.m_fSnapDistance;
}

BOOL CCVNDoc::WritePreferences() {
    return WriteSettingsFile(kPreferencesFile,
                             [this](CArchive& ar) { StorePreferences(ar, m_tool.m_fHandleSize); });
}

void CCVNDoc::SaveSettingsBackup(int save) {
    CSettingsBackup& backup = CSettingsBackup::Shared();
    if (save)
        backup.Save([this](CArchive& ar) { StorePreferences(ar, std::trunc(m_tool.m_fHandleSize)); });
    else
        backup.Restore([this](CArchive& ar) { LoadPreferences(ar); });
}

BOOL CCVNDoc::MakeDefaultTrack(CPaint* track) {
    if (track == nullptr)
        return FALSE;
    // An unknown scale name keeps the train scale the document has.
    const int scale = FindScale(track->m_strScale);
    if (scale >= 0)
        m_nDefaultScaleIndex = scale;
    SaveSettingsBackup(1);
    // The stored defaults, not this document's, go back into the file; meanwhile the plan
    // keeps showing the document's own.
    const BOOL paintable = m_bPaintable;
    m_bPaintable = FALSE;
    ReadPreferences();
    const BOOL trackWritten = WriteDefaultTrack(track);
    if (scale >= 0)
        m_nDefaultScaleIndex = scale;
    const BOOL preferencesWritten = WritePreferences();
    SaveSettingsBackup(0);
    m_bPaintable = paintable;
    return trackWritten && preferencesWritten;
}

BOOL CCVNDoc::WriteSettingsFile(const char* fileName, const std::function<void(CArchive&)>& store) {
    const std::filesystem::path path = SettingsPath(fileName);
    CFile file;
    if (path.empty() || !file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
        ReportError(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE) + " " + fileName);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
        file.Close();
    } catch (const CException&) {
        // The old file stays as it was.
        file.Abort();
        ReportError(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE) + " " + fileName);
        return FALSE;
    }
    ReportedDamage(fileName) = false;
    return TRUE;
}

void CCVNDoc::ReadDefaultTrack() {
    const DefaultTrackKind& kind = GetDefaultTrackKind();
    const std::filesystem::path path = SettingsPath(kDefaultTrackFile);
    CFile file;
    if (kind.make == nullptr || path.empty() || !file.Open(path, CFile::modeRead) || file.GetLength() == 0)
        return;
    // Read into a new piece: a damaged file leaves the constructed default track as it is.
    std::unique_ptr<CPaint> track(DefaultTrackAsPaint(kind.make(&m_tool)));
    const int ownVersion = m_nFileVersion;
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        ReadFileVersion(ar);
        track->Serialize(ar);
        FailUnlessWhollyRead(ar);
        m_tool.SetDefaultTrack(std::move(track));
        KeepMendedDefaultTrack();
    } catch (const CException&) {
        m_mendedOnReading.clear();
        NoteDamagedSettings(kDefaultTrackFile);
    }
    m_nFileVersion = ownVersion;
}

BOOL CCVNDoc::WriteDefaultTrack(CPaint* given) {
    const DefaultTrackKind& kind = GetDefaultTrackKind();
    if (kind.make == nullptr || PaintAsDefaultTrack(given) == nullptr)
        return FALSE;
    // The given track may be the document's own default track: copy it before replacing it.
    std::unique_ptr<CPaint> track(DefaultTrackAsPaint(kind.make(&m_tool)));
    track->CopyFrom(given);
    m_tool.SetDefaultTrack(std::move(track));
    CPaint* stored = DefaultTrackAsPaint(m_tool.m_pDefaultTrack);
    return WriteSettingsFile(kDefaultTrackFile, [this, stored](CArchive& ar) {
        ar.m_pDocument = this;
        ar << kLayoutFileVersion;
        stored->Serialize(ar);
    });
}
