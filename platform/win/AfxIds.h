#pragma once

#include "platform/win/WinDefs.h"

// The framework's standard command, window and string ids.
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PAGE_SETUP = 0xE105;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_FILE_MRU_FILE2 = 0xE111;
constexpr UINT ID_FILE_MRU_FILE3 = 0xE112;
constexpr UINT ID_FILE_MRU_FILE4 = 0xE113;
constexpr UINT ID_FILE_MRU_FILE16 = 0xE11F;
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_EDIT_UNDO = 0xE12B;
constexpr UINT ID_WINDOW_NEW = 0xE130;
constexpr UINT ID_WINDOW_ARRANGE = 0xE131;
constexpr UINT ID_WINDOW_CASCADE = 0xE132;
constexpr UINT ID_WINDOW_TILE_HORZ = 0xE133;
constexpr UINT ID_WINDOW_TILE_VERT = 0xE134;
// The Window menu's list of open child windows, one id each (nine at most).
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;
constexpr UINT AFX_IDM_LAST_MDICHILD = 0xFF08;
// After the list when more windows are open than it shows; the frame that offers a choice of
// them all handles it.
constexpr UINT AFX_IDM_MORE_WINDOWS = 0xFF09;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;

constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_MDICLIENT = 0xE9FF;

constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;

// Frame styles: add the active document's title to the caption.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
