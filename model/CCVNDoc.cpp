#include "model/CCVNDoc.h"

#include <algorithm>

#include "model/CLengthFormat.h"
#include "model/CMissingFileReport.h"
#include "model/DefaultTrackKind.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SystemColors.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/MessageBoxes.h"

IMPLEMENT_DYNCREATE(CCVNDoc, CDocument)

namespace {

constexpr double kScaleDivisorFactor = 0.0625;
// The resource of the 3D windows' template.
constexpr UINT k3DTemplateResource = 129;

}  // namespace

CCVNDoc::CCVNDoc() {
    ReadPreferences();
    m_docPose = CPose();
    m_rootGroup.SetTool(&m_tool);
    m_libraryGroup.SetTool(&m_tool);
    m_tool.m_pHost = this;
    m_tool.m_toolMode.Set(kToolSelector);
    m_groupEditStack.emplace_front(&m_rootGroup, m_docPose);
    m_p3DTemplate = std::make_unique<CMultiDocTemplate>(k3DTemplateResource, RUNTIME_CLASS(CCVNDoc),
                                                        CRuntimeClass::FromName("C3DChildFrame"),
                                                        CRuntimeClass::FromName("C3DView"));
    CreateDefaultTrack();
    ReadDefaultTrack();
}

CCVNDoc::~CCVNDoc() {
    if (!m_strLibraryPath.IsEmpty() && m_bLibraryModified)
        WriteLibrary();
    m_tool.ClearUndoList();
    m_libraryGroup.ReleaseData();
    m_rootGroup.ReleaseData();
    ReleaseTestTrains();
    m_partsCatalogue.clear();
    m_p3DTemplate.reset();
    for (std::unique_ptr<CPropertyPage>& page : m_wizardPages) page.reset();
    m_tool.SetDefaultTrack(nullptr);
    m_tool.m_pHost = nullptr;
}

void CCVNDoc::SetBuiltInDefaults() {
    m_fPageWidth = kDefaultPageWidth;
    m_fPageHeight = kDefaultPageHeight;
    m_nPrintScaleChoice = 0;
    m_fPrintScale = 1.0;
    m_fViewScale = 10.0;
    m_nReserved = 0;
    m_nUnitIndex = kDefaultUnitIndex;
    m_nDefaultScaleIndex = kDefaultScaleIndex;
    m_strLibraryPath.Empty();
    m_strLibraryFileName = "New.cvl";
    m_strPartsPath.Empty();
    m_strPartsFileName = "New.cvp";
    m_bGridShown = 0;
    m_nGridWidth = kDefaultGridSize;
    m_nGridHeight = kDefaultGridSize;
    m_crGrid = RGB(0xC0, 0xC0, 0xC0);
    m_crBackground = GetSysColor(COLOR_WINDOW);
    m_strSpare.Empty();
    m_nSpareFlag = 1;
    m_strBenchworkTexture = "rcgrass.bmp";
    m_bUseBackdrop = 1;
    m_strBackdrop = "summits.bmp";
    m_cr3DBackground = 0;
    m_limits = TrackLimits{};
    m_bShowPageMarkers = 1;
    m_bShowPageNumbers = 1;
}

void CCVNDoc::CreateDefaultTrack() {
    const DefaultTrackKind& kind = GetDefaultTrackKind();
    if (kind.make == nullptr)
        return;
    m_tool.SetDefaultTrack(std::unique_ptr<CPaint>(DefaultTrackAsPaint(kind.make(&m_tool))));
}

void CCVNDoc::ResetViewSettings() {
    m_nUnitIndexCopy = m_nUnitIndex;
    m_rootGroup.SetParentPose(&m_rootGroup.m_pose);
    m_rootGroup.SetOwnerGroup(nullptr);
    m_fViewScaleCopy = m_fViewScale;
    m_tool.SetViewScale(1.0, m_fViewScale);
    m_f3DScaleDivisor = std::max(m_fPageWidth * kScaleDivisorFactor, m_fPageHeight * kScaleDivisorFactor);
    m_fZoomedPageWidth = m_tool.m_fZoomNumerator / m_tool.m_fZoomDenominator * m_fPageWidth;
    m_fZoomedPageHeight = m_fPageHeight / m_tool.m_fZoomDenominator * m_tool.m_fZoomNumerator;
}

BOOL CCVNDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    StartSession();
    m_tool.UpdateDeviceBounds();
    MarkSaved();
    UpdateAllViews();
    ShowMendedOnReading();
    return TRUE;
}

void CCVNDoc::StartSession() {
    ResetViewSettings();
    m_tool.m_toolMode.Set(kToolSelector);
    m_fLightBrightness = 1.0f;
    Create3DWorld();
    ShowSettingsWarning();
    AddMendedDefaultTrack();
}

BOOL CCVNDoc::OnOpenDocument(LPCTSTR pathName) {
    if (!ReadAndStartSession(pathName)) {
        m_mendedOnReading.clear();
        return FALSE;
    }
    // What reading mended is the open's last word, after the files it could not read.
    ShowMendedOnReading();
    return TRUE;
}

BOOL CCVNDoc::ReadAndStartSession(LPCTSTR pathName) {
    // The read and the 3D world after it name the same files: each is reported once.
    const CMissingFileReport missingFiles;
    m_bPaintable = FALSE;
    if (!CDocument::OnOpenDocument(pathName))
        return FALSE;
    StartSession();
    for (CPaint* member : m_rootGroup.m_members) member->RecalcFrames();
    m_rootGroup.SetChanged(0);
    m_tool.UpdateDeviceBounds();
    MarkSaved();
    m_bPaintable = TRUE;
    UpdateAllViews();
    return TRUE;
}

void CCVNDoc::DeleteContents() {
    m_selection.clear();
    m_selectionIndex.Clear();
    // With no step left to name them, the members go without a sweep of the undo list each.
    m_tool.ClearUndoList();
    m_rootGroup.DeleteMembers();
    // The groups open for editing went with the members; the root group is edited again.
    m_groupEditStack.clear();
    m_groupEditStack.emplace_front(&m_rootGroup, m_docPose);
}

BOOL CCVNDoc::OnSaveDocument(LPCTSTR pathName) {
    if (!CDocument::OnSaveDocument(pathName))
        return FALSE;
    MarkSaved();
    return TRUE;
}

// ---- Lengths ----

void CCVNDoc::FormatLength(CString& text, double length) const {
    CLengthFormat(m_nUnitIndex).FormatLength(text, length);
}

void CCVNDoc::FormatLengthValue(CString& text, double length, int negativeAsDecimal) const {
    CLengthFormat(m_nUnitIndex).FormatLengthValue(text, length, negativeAsDecimal);
}

void CCVNDoc::FormatLengthFraction(CString& text, double value) const {
    CLengthFormat(m_nUnitIndex).FormatLengthFraction(text, value);
}

// ---- What the editing engine asks of its document ----

void CCVNDoc::SetModifiedFlag(BOOL modified) {
    CDocument::SetModifiedFlag(modified);
    if (!modified)
        m_settingsRecords = SettingsRecords();
}

void CCVNDoc::MarkSaved() {
    m_tool.MarkSaved();
    m_settingsRecords = SettingsRecords();
}

void CCVNDoc::TakeSettingsChanges() {
    std::vector<BYTE> records = SettingsRecords();
    if (records == m_settingsRecords)
        return;
    m_settingsRecords = std::move(records);
    m_tool.MarkSettingsChanged();
}

BOOL CCVNDoc::IsModified() {
    return CDocument::IsModified();
}

BOOL CCVNDoc::IsModified() const {
    return const_cast<CCVNDoc*>(this)->CDocument::IsModified();
}

BOOL CCVNDoc::IsLayerLocked(int layer) const {
    if (layer < 0 || layer >= CTool::kLayerCount)
        return FALSE;
    return m_tool.m_bLayerLocked[layer] ? TRUE : FALSE;
}

CPaint* CCVNDoc::GetOwnerGroup(CPaint* object) {
    return object != nullptr ? object->m_pOwnerGroup : nullptr;
}

BOOL CCVNDoc::DetachFromGroup(CPaint* object) {
    return CGroup::DetachFromOwner(object) ? TRUE : FALSE;
}

void CCVNDoc::ReinsertIntoOwnerGroup(CPaint* object) {
    CGroup::ReinsertIntoOwner(object);
}

void CCVNDoc::RefreshGroupFrame(CPaint* member) {
    CPaint* group = member != nullptr ? GetOwnerGroup(member) : GetCurrentGroup();
    if (group == nullptr || group == &m_rootGroup)
        return;
    group->RecalcFrame();
    group->ComputeExtent(nullptr);
}

const CPaintList& CCVNDoc::GetGroupMembers(CPaint* object) {
    static const CPaintList none;
    auto* group = dynamic_cast<CGroup*>(object);
    return group != nullptr ? group->m_members : none;
}

void CCVNDoc::ShowMessage(const CString& text) {
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
