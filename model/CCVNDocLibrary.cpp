#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "resources/StringTable.h"

// The symbol library file: the file version, then the library group's record without a
// class tag.

namespace {

CString RealPath(const CString& stored) {
    return CString(CWinPath::Resolve(stored).string().c_str());
}

// The library's own place, then its name in the program's library folder, then in the
// library folder of the profile.
bool OpenLibrary(CFile& file, const CString& libraryPath) {
    if (file.Open(RealPath(libraryPath), CFile::modeRead))
        return true;
    const CString name(CWinPath::Resolve(libraryPath).filename().string().c_str());
    const CString candidates[] = {CDataFolders::GetBaseFolder() + "LIBRARIES\\" + name,
                                  CDataFolders::GetDataFolder(CDataFolders::Libraries) + name};
    return std::any_of(std::begin(candidates), std::end(candidates),
                       [&file](const CString& path) { return file.Open(RealPath(path), CFile::modeRead); });
}

// Libraries on read-only media (the CD-ROM of old) are never written.
bool OnReadOnlyMedium(const std::filesystem::path& path) {
    struct statvfs info {};
    return statvfs(path.parent_path().c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

}  // namespace

BOOL CCVNDoc::ReadLibrary() {
    CFile file;
    if (m_strLibraryPath.IsEmpty() || !OpenLibrary(file, m_strLibraryPath)) {
        CString text;
        text.Format(CStringTable::Text(IDS_CANT_READ_LIBRARY), m_strLibraryPath.c_str());
        ReportError(text);
        return FALSE;
    }
    if (file.GetLength() == 0)
        return TRUE;
    const int ownVersion = m_nFileVersion;
    BOOL read = TRUE;
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        const int version = ReadInt(ar);
        if (version < 1)
            FailRead(ar, CArchiveException::badSchema);
        m_nFileVersion = std::min(version, kLayoutFileVersion);
        m_libraryGroup.Serialize(ar);
    } catch (const CException&) {
        CString text;
        text.Format(CStringTable::Text(IDS_CANT_READ_LIBRARY), m_strLibraryPath.c_str());
        ReportError(text);
        read = FALSE;
    }
    m_nFileVersion = ownVersion;
    m_libraryGroup.SetTool(&m_tool);
    for (CPaint* member : m_libraryGroup.m_members)
        if (member->IsKindOf(RUNTIME_CLASS(CGroup)))
            member->RecalcFrame();
    return read;
}

BOOL CCVNDoc::WriteLibrary() {
    const std::filesystem::path path = CWinPath::Resolve(m_strLibraryPath);
    if (OnReadOnlyMedium(path))
        return TRUE;
    CFile file;
    const int ownVersion = m_nFileVersion;
    try {
        if (m_strLibraryPath.IsEmpty() || !file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
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
        ReportError(CStringTable::Text(IDS_CANT_WRITE_LIBRARY));
        return FALSE;
    }
    m_bLibraryModified = 0;
    return TRUE;
}
