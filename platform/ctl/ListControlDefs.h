#pragma once

// Styles, notification codes and records of the list-type controls: list box, combo box,
// header, list view and tree view; and how a control tells its owner what happened.
#include "platform/gdi/CDC.h"
#include "platform/win/CCmdTarget.h"
#include "platform/win/CWnd.h"

using DWORD_PTR = std::uintptr_t;
class CTreeCtrlItem;
using HTREEITEM = CTreeCtrlItem*;

// --- Common notifications -------------------------------------------------------------------
constexpr UINT NM_CLICK = 0U - 2U;
constexpr UINT NM_DBLCLK = 0U - 3U;
constexpr UINT NM_RETURN = 0U - 4U;
constexpr UINT NM_RCLICK = 0U - 5U;
constexpr UINT NM_SETFOCUS = 0U - 7U;
constexpr UINT NM_KILLFOCUS = 0U - 8U;

constexpr UINT ODT_LISTVIEW = 102;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

// --- List box -------------------------------------------------------------------------------
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
constexpr DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;
constexpr int LB_ERR = -1;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT LBN_SELCANCEL = 3;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;

// --- Combo box ------------------------------------------------------------------------------
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_TYPEMASK = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr int CB_ERR = -1;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_EDITUPDATE = 6;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// --- Header ---------------------------------------------------------------------------------
constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_STRING = 0x4000;
constexpr UINT HDN_ITEMCHANGED = 0U - 301U;
constexpr UINT HDN_ITEMCLICK = 0U - 302U;
constexpr UINT HDN_DIVIDERDBLCLICK = 0U - 305U;
constexpr UINT HDN_ENDTRACK = 0U - 307U;

struct HDITEM {
    UINT mask;
    int cxy;
    LPSTR pszText;
    void* hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
};

struct NMHEADER {
    NMHDR hdr;
    int iItem;
    int iButton;
    HDITEM* pitem;
};

// --- List view ------------------------------------------------------------------------------
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(int index) {
    return static_cast<UINT>(index) << 12;
}

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;
inline const LPSTR LPSTR_TEXTCALLBACK = reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1));
constexpr int I_IMAGECALLBACK = -1;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_CUT = 0x0004;
constexpr UINT LVNI_DROPHILITED = 0x0008;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;

constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0010;
constexpr UINT LVHT_BELOW = 0x0020;
constexpr UINT LVHT_TORIGHT = 0x0040;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;

constexpr UINT LVN_ITEMCHANGING = 0U - 100U;
constexpr UINT LVN_ITEMCHANGED = 0U - 101U;
constexpr UINT LVN_INSERTITEM = 0U - 102U;
constexpr UINT LVN_DELETEITEM = 0U - 103U;
constexpr UINT LVN_DELETEALLITEMS = 0U - 104U;
constexpr UINT LVN_COLUMNCLICK = 0U - 108U;
constexpr UINT LVN_BEGINDRAG = 0U - 109U;
constexpr UINT LVN_BEGINRDRAG = 0U - 111U;
constexpr UINT LVN_GETDISPINFO = 0U - 150U;
constexpr UINT LVN_KEYDOWN = 0U - 155U;

struct LVITEM {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};

struct LVCOLUMN {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};

struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};

struct LVFINDINFO {
    UINT flags;
    LPCSTR psz;
    LPARAM lParam;
};

// Answers < 0 when the item with lParam1 goes first, > 0 when the other one does.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM sortData);

// --- Tree view ------------------------------------------------------------------------------
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD));

constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;

constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

constexpr UINT TVN_SELCHANGING = 0U - 401U;
constexpr UINT TVN_SELCHANGED = 0U - 402U;
constexpr UINT TVN_GETDISPINFO = 0U - 403U;
constexpr UINT TVN_ITEMEXPANDING = 0U - 405U;
constexpr UINT TVN_ITEMEXPANDED = 0U - 406U;
constexpr UINT TVN_BEGINDRAG = 0U - 407U;
constexpr UINT TVN_BEGINRDRAG = 0U - 408U;
constexpr UINT TVN_DELETEITEM = 0U - 409U;
constexpr UINT TVN_KEYDOWN = 0U - 412U;

struct TVITEM {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
};

struct TVINSERTSTRUCT {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    TVITEM item;
};

struct NMTREEVIEW {
    NMHDR hdr;
    UINT action;
    TVITEM itemOld;
    TVITEM itemNew;
    POINT ptDrag;
};

struct NMTVDISPINFO {
    NMHDR hdr;
    TVITEM item;
};

struct NMTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};

struct TVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
};

// --- Telling the owner ----------------------------------------------------------------------
// A control first offers its own notifications to itself (the framework's reflection): entries
// made with ON_NOTIFY_REFLECT and ON_CONTROL_REFLECT use this id. When the control handles one,
// its owner does not see it.
constexpr UINT kReflectedControlId = 0xFFFFFFFEU;

#define ON_NOTIFY_REFLECT(code, fn) ON_NOTIFY(code, kReflectedControlId, fn)
#define ON_CONTROL_REFLECT(code, fn) ON_CONTROL(code, kReflectedControlId, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_SELENDCANCEL(id, fn) ON_CONTROL(CBN_SELENDCANCEL, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)

// Sends a WM_NOTIFY from control (its header's sender and id filled in); answers the result.
inline LRESULT NotifyOwner(CWnd& control, NMHDR& header) {
    header.hwndFrom = &control;
    header.idFrom = static_cast<UINT_PTR>(control.GetDlgCtrlID());
    LRESULT result = 0;
    NotifyInfo reflected{&header, &result};
    if (control.OnCmdMsg(kReflectedControlId, CN_NOTIFY, &reflected, nullptr))
        return result;
    CWnd* owner = control.GetOwner();
    return owner ? owner->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

// A notification that carries nothing but its code (NM_CLICK, NM_SETFOCUS ...).
inline LRESULT NotifyOwner(CWnd& control, UINT code) {
    NMHDR header{};
    header.code = code;
    return NotifyOwner(control, header);
}

// Sends a notification of the WM_COMMAND kind (BN_, CBN_, LBN_ codes) from control to its owner.
// The control's own map sees it first (ON_CONTROL_REFLECT); what it handles stays with it.
inline void CommandOwner(CWnd& control, UINT code) {
    if (control.OnCmdMsg(kReflectedControlId, static_cast<int>(code), nullptr, nullptr))
        return;
    if (CWnd* owner = control.GetOwner())
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(control.GetDlgCtrlID(), static_cast<int>(code)),
                           reinterpret_cast<LPARAM>(&control));
}

// The height of a line of text in the controls' font ("MS Sans Serif" 8).
inline int ControlTextHeight() {
    static const int height = [] {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectStockObject(DEFAULT_GUI_FONT);
        TEXTMETRIC metrics{};
        dc.GetTextMetrics(&metrics);
        return static_cast<int>(metrics.tmHeight);
    }();
    return height;
}
