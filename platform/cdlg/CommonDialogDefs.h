#pragma once

// Flags, notification codes and the request records of the common dialogs (file, colour, font,
// print), as the program's code names them.
#include <cstdint>

#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinDefs.h"

// A resource named by number, as the file dialog's custom template is named.
inline LPCTSTR MAKEINTRESOURCE(UINT id) {
    return reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCTSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// --- File dialogs ------------------------------------------------------------------------------
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;

// What the file dialog tells its extension: the selection, the folder or the type changed.
constexpr UINT CDN_FIRST = 0U - 601U;
constexpr UINT CDN_INITDONE = CDN_FIRST;
constexpr UINT CDN_SELCHANGE = CDN_FIRST - 1;
constexpr UINT CDN_FOLDERCHANGE = CDN_FIRST - 2;
constexpr UINT CDN_FILEOK = CDN_FIRST - 4;
constexpr UINT CDN_TYPECHANGE = CDN_FIRST - 5;

// The standard controls of the file dialog, by the ids the framework gives them.
constexpr UINT stc32 = 0x045F;  // the placeholder a custom template may hold for them
constexpr UINT stc2 = 0x0441;
constexpr UINT stc3 = 0x0442;
constexpr UINT stc4 = 0x0443;
constexpr UINT chx1 = 0x0410;
constexpr UINT cmb1 = 0x0470;
constexpr UINT cmb2 = 0x0471;
constexpr UINT edt1 = 0x0480;
constexpr UINT lst1 = 0x0460;
constexpr UINT lst2 = 0x0461;
constexpr UINT lst3 = 0x0462;
constexpr UINT psh1 = 0x0400;
constexpr UINT psh2 = 0x0401;
constexpr UINT chx2 = 0x0411;
constexpr UINT rad1 = 0x0420;
constexpr UINT rad2 = 0x0421;
constexpr UINT rad3 = 0x0422;
constexpr UINT grp1 = 0x0430;
constexpr UINT grp2 = 0x0431;
constexpr UINT grp3 = 0x0432;
constexpr UINT stc1 = 0x0440;
constexpr UINT stc5 = 0x0444;
constexpr UINT cmb3 = 0x0472;
constexpr UINT cmb4 = 0x0473;
constexpr UINT edt2 = 0x0481;
constexpr UINT edt3 = 0x0482;
constexpr UINT edt4 = 0x0483;
constexpr UINT edt5 = 0x0484;
constexpr UINT edt6 = 0x0485;
constexpr UINT edt7 = 0x0486;
constexpr UINT edt8 = 0x0487;
constexpr UINT scr1 = 0x0490;
constexpr UINT ico1 = 0x043C;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    HWND hwndOwner = nullptr;
    void* hInstance = nullptr;
    LPCTSTR lpstrFilter = nullptr;  // "desc\0pattern\0...\0\0", as the framework builds it
    DWORD nFilterIndex = 1;         // 1-based
    LPTSTR lpstrFile = nullptr;     // in: the initial name; out: the chosen path
    DWORD nMaxFile = 0;
    LPTSTR lpstrFileTitle = nullptr;
    DWORD nMaxFileTitle = 0;
    LPCTSTR lpstrInitialDir = nullptr;
    LPCTSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;
    WORD nFileExtension = 0;
    LPCTSTR lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
    LPCTSTR lpTemplateName = nullptr;
};

// --- Colour dialog -----------------------------------------------------------------------------
constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

struct CHOOSECOLOR {
    DWORD lStructSize = sizeof(CHOOSECOLOR);
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;  // 16 colours
    DWORD Flags = 0;
};

// --- Font dialog -------------------------------------------------------------------------------
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_LIMITSIZE = 0x00002000;
constexpr DWORD CF_NOSCRIPTSEL = 0x00800000;

struct CHOOSEFONT {
    DWORD lStructSize = sizeof(CHOOSEFONT);
    HWND hwndOwner = nullptr;
    LOGFONT* lpLogFont = nullptr;
    int iPointSize = 0;  // tenths of a point
    DWORD Flags = 0;
    COLORREF rgbColors = 0;
    int nSizeMin = 0;
    int nSizeMax = 0;
};

// --- Print dialog ------------------------------------------------------------------------------
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;

// The printer's settings the program reads: orientation, paper size (tenths of a millimetre),
// copies and resolution.
struct DEVMODE {
    char dmDeviceName[32] = {};
    short dmOrientation = DMORIENT_PORTRAIT;
    short dmPaperLength = 2970;
    short dmPaperWidth = 2100;
    short dmCopies = 1;
    short dmPrintQuality = 300;
};

struct PRINTDLG {
    DWORD lStructSize = sizeof(PRINTDLG);
    HWND hwndOwner = nullptr;
    DEVMODE* hDevMode = nullptr;
    DWORD Flags = 0;
    WORD nFromPage = 1;
    WORD nToPage = 1;
    WORD nMinPage = 1;
    WORD nMaxPage = 0xFFFF;
    WORD nCopies = 1;
};
