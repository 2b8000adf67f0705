#include <algorithm>
#include <filesystem>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "platform/base/CProfile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/base/FileSystemText.h"
#include "platform/cdlg/CFileDialog.h"
#include "resources/StringTable.h"

// The symbol library file: the file version, then the library group's record without a
// class tag.

namespace {

CString ProgramLibraryFolder() {
    return CDataFolders::GetBaseFolder() + "LIBRARIES\\";
}

// The library folder the user keeps in the profile, the program's by default.
CString ProfileLibraryFolder() {
    return CProfile::Program().GetProfileString("Paths", "Libraries", ProgramLibraryFolder());
}

// The library's own place, then its name in the program's library folder, then in the
// library folder of the profile.
bool OpenLibrary(CFile& file, const CString& libraryPath) {
    if (file.Open(CWinPath::Resolve(libraryPath), CFile::modeRead))
        return true;
    const CString name = PathText(CWinPath::Resolve(libraryPath).filename());
    const CString candidates[] = {ProgramLibraryFolder() + name, ProfileLibraryFolder() + name};
    return std::any_of(std::begin(candidates), std::end(candidates),
                       [&file](const CString& path) { return file.Open(CWinPath::Resolve(path), CFile::modeRead); });
}

// The folder the library browser opens in: the open library's own folder; without one the
// profile's library folder, or the program's when that folder is gone.
CString BrowseFolder(const CString& libraryPath) {
    if (!libraryPath.IsEmpty()) {
        CString drive;
        CString folder;
        CWinPath::Split(libraryPath, &drive, &folder, nullptr, nullptr);
        return drive + folder;
    }
    CString folder = ProfileLibraryFolder();
    return CDataFolders::FolderExists(folder) ? folder : ProgramLibraryFolder();
}

// Every member is released and destroyed; the group itself stays as it is.
void EmptyGroup(CGroup& group) {
    while (!group.m_members.empty()) {
        CPaint* member = group.m_members.front();
        group.m_members.pop_front();
        member->ReleaseData();
        delete member;
    }
}

// The library group takes the record read into another group: its own fields, and the read
// members after those it holds.
void AdoptRecord(CGroup& library, CGroup& read) {
    library.CopyFrom(&read);
    library.m_fQuantity = read.m_fQuantity;
    library.m_points = read.m_points;
    library.m_nExtraFlag = read.m_nExtraFlag;
    while (!read.m_members.empty()) {
        CPaint* member = read.m_members.front();
        read.m_members.pop_front();
        library.m_members.push_back(member);
        member->SetOwnerGroup(&library);
    }
}

}  // namespace

BOOL CCVNDoc::BrowseLibrary() {
    CFileDialog dialog(TRUE, "CVL", m_strLibraryFileName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       "Library Files (*.cvl)|*.cvl||");
    const CString initialFolder = BrowseFolder(m_strLibraryPath);
    dialog.m_ofn.lpstrInitialDir = initialFolder.c_str();
    if (dialog.DoModal() != IDOK)
        return FALSE;
    if (!m_strLibraryPath.IsEmpty()) {
        // A library that could not be written stays open rather than be lost.
        if (m_bLibraryModified && !WriteLibrary())
            return FALSE;
        m_bLibraryModified = 0;
        EmptyGroup(m_libraryGroup);
    }
    m_strLibraryPath = CWinPath::Stored(dialog.GetPathName());
    m_strLibraryFileName = dialog.GetFileName();
    ReadLibrary();
    m_libraryGroup.SetTool(&m_tool);
    return TRUE;
}

BOOL CCVNDoc::ReadLibrary() {
    CString cantRead;
    cantRead.Format(CStringTable::Text(IDS_CANT_READ_LIBRARY), CWinPath::Native(m_strLibraryPath).c_str());
    CFile file;
    if (m_strLibraryPath.IsEmpty() || !OpenLibrary(file, m_strLibraryPath)) {
        ReportError(cantRead);
        return FALSE;
    }
    if (file.GetLength() == 0)
        return TRUE;
    // One data-file operation, as opening a layout is: each folder its names reach is listed once.
    const CMissingFileReport missingFiles;
    // The file is read into a group of its own, so that a damaged one leaves nothing behind.
    CGroup read;
    read.SetTool(&m_tool);
    const int ownVersion = m_nFileVersion;
    m_mendedOnReading.clear();
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        ReadFileVersion(ar);
        read.Serialize(ar);
    } catch (const CException&) {
        m_nFileVersion = ownVersion;
        m_mendedOnReading.clear();
        ReportError(cantRead);
        return FALSE;
    }
    m_nFileVersion = ownVersion;
    AdoptRecord(m_libraryGroup, read);
    m_libraryGroup.SetTool(&m_tool);
    for (CPaint* member : m_libraryGroup.m_members)
        if (member->IsKindOf(RUNTIME_CLASS(CGroup)))
            member->RecalcFrame();
    ShowMendedOnReading();
    return TRUE;
}

BOOL CCVNDoc::WriteLibrary() {
    // A library on a read-only medium fails here like any other that cannot be written.
    const std::filesystem::path path = CWinPath::Resolve(m_strLibraryPath);
    CFile file;
    const int ownVersion = m_nFileVersion;
    try {
        if (m_strLibraryPath.IsEmpty() || !file.Open(path, CFile::modeCreate | CFile::modeWrite))
            throw CArchiveException(CArchiveException::generic, m_strLibraryPath);
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = this;
        ar << kLayoutFileVersion;
        m_nFileVersion = kLayoutFileVersion;
        m_libraryGroup.Serialize(ar);
        m_nFileVersion = ownVersion;
        ar.Close();
        file.Close();
    } catch (const CException&) {
        m_nFileVersion = ownVersion;
        // The library and its modified mark stay, so that nothing is lost.
        file.Abort();
        ReportError(CStringTable::Text(IDS_CANT_WRITE_LIBRARY) + " " + CWinPath::Native(m_strLibraryPath));
        return FALSE;
    }
    m_bLibraryModified = 0;
    return TRUE;
}
