#pragma once

#include <array>

#include "platform/ctl/CPropertyPage.h"

// The "Directories" page of the preferences: the ten data folders of the profile section
// "Paths", shown and typed as this system writes paths, kept in the stored form. Leaving the
// page reports each folder that cannot be entered (it may be left all the same); OK writes the
// folders back.
class CDirectoryPage : public CPropertyPage {
    DECLARE_DYNAMIC(CDirectoryPage)
  public:
    // The folders in the page's order.
    enum Folder {
        k3DObjects,
        kBackdrops,
        kTextures,
        kTrains,
        k3DTextures,
        k3DBitmaps,
        kDatabases,
        kLibraries,
        kPatterns,
        kBitmaps,
        kFolderCount
    };

    CDirectoryPage();

    // Every folder from the profile, the program's sub-folder when none is stored.
    void ReadFolders();
    void WriteFolders() const;

    std::array<CString, kFolderCount> m_folders;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    void OnOK() override;
};
