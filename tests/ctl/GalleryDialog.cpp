#include "tests/ctl/GalleryDialog.h"

#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/DataExchange.h"
#include "platform/gdi/CDC.h"

namespace gallery {

const DialogTemplate& Template() {
    static const DialogTemplate dialog{
        IDD_GALLERY,
        "Control Gallery",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 260, 214),
        {
            {0, WC_BUTTON, "Track", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(7, 4, 127, 78)},
            {0, WC_STATIC, "&Name:", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(14, 19, 54, 27)},
            {IDC_NAME, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
             CRect(58, 17, 120, 31)},
            {0, WC_STATIC, "&Radius:", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(14, 37, 54, 45)},
            {IDC_RADIUS, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(58, 35, 120, 49)},
            {IDC_RADIUS_SPIN, UPDOWN_CLASS, "",
             WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_NOTHOUSANDS,
             CRect(110, 35, 120, 49)},
            {0, WC_STATIC, "&Grade (%):", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(14, 55, 54, 63)},
            {IDC_GRADE, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(58, 53, 120, 67)},
            {0, WC_BUTTON, "Options", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_GROUP, CRect(134, 4, 253, 78)},
            {IDC_BALLAST, WC_BUTTON, "&Ballast",
             WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, CRect(141, 16, 195, 26)},
            {IDC_SLEEPERS, WC_BUTTON, "&Sleepers", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE | WS_TABSTOP,
             CRect(196, 16, 250, 26)},
            {IDC_GAUGE_H0, WC_BUTTON, "H&0 gauge",
             WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, CRect(141, 32, 240, 42)},
            {IDC_GAUGE_N, WC_BUTTON, "&N gauge", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
             CRect(141, 45, 240, 55)},
            {IDC_GAUGE_Z, WC_BUTTON, "&Z gauge", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
             CRect(141, 58, 240, 68)},
            {IDC_NOTES, WC_EDIT, "",
             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
                 WS_GROUP,
             CRect(7, 84, 127, 124)},
            {IDC_SPEED, TRACKBAR_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS,
             CRect(134, 84, 253, 102)},
            {IDC_ZOOM, WC_SCROLLBAR, "", WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(134, 106, 253, 116)},
            {0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, CRect(134, 121, 253, 122)},
            {IDC_PICTURE, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_SUNKEN,
             CRect(134, 126, 158, 150)},
            {IDC_READONLY, WC_EDIT, "Read only", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | WS_TABSTOP,
             CRect(164, 126, 253, 140)},
            {IDC_COLOUR, WC_BUTTON, "Colour", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP,
             CRect(164, 144, 206, 158)},
            {IDC_REPEAT, WC_BUTTON, "&More", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP,
             CRect(211, 144, 253, 158)},
            {IDC_TABS, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(7, 128, 127, 170)},
            {0, WC_STATIC, "&Kind:", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(134, 167, 160, 175)},
            {IDC_KIND,
             WC_COMBOBOX,
             "",
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
             CRect(164, 165, 253, 225),
             0,
             {"Straight", "Curve", "Turnout", "Crossing"}},
            {0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, CRect(7, 192, 253, 193)},
            {IDC_APPLY, WC_BUTTON, "&Apply", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP,
             CRect(7, 196, 57, 210)},
            {IDOK, WC_BUTTON, "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP,
             CRect(148, 196, 198, 210)},
            {IDCANCEL, WC_BUTTON, "Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP,
             CRect(203, 196, 253, 210)},
        }};
    return dialog;
}

void ColourButton::DrawItem(DRAWITEMSTRUCT* item) {
    CRect rect(item->rcItem);
    item->hDC->DrawEdge(&rect, (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
                        BF_RECT | BF_ADJUST);
    item->hDC->FillSolidRect(&rect, colour);
}

BEGIN_MESSAGE_MAP(GalleryDialog, CDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
ON_EN_KILLFOCUS(IDC_NAME, OnNameKillFocus)
ON_EN_SETFOCUS(IDC_NAME, OnNameSetFocus)
ON_BN_CLICKED(IDC_APPLY, OnApply)
ON_BN_CLICKED(IDC_BALLAST, OnBallast)
ON_BN_CLICKED(IDC_REPEAT, OnRepeat)
ON_NOTIFY(TCN_SELCHANGE, IDC_TABS, OnTabChange)
END_MESSAGE_MAP()

BOOL GalleryDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(IDC_TABS));
    tabs->InsertItem(0, "Plan");
    tabs->InsertItem(1, "3D");
    tabs->InsertItem(2, "Terrain");
    auto* zoom = static_cast<CScrollBar*>(GetDlgItem(IDC_ZOOM));
    zoom->SetScrollRange(0, 10);
    zoom->SetScrollPos(3);
    static_cast<CButton*>(GetDlgItem(IDC_REPEAT))->SetRepeat(100);
    static_cast<CSliderCtrl*>(GetDlgItem(IDC_SPEED))->SetTicFreq(10);
    m_picture.CreateBitmap(32, 32, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&m_picture);
    dc.FillSolidRect(0, 0, 32, 32, RGB(0, 128, 128));
    dc.FillSolidRect(8, 8, 16, 16, RGB(255, 255, 0));
    dc.SelectObject(old);
    static_cast<CStatic*>(GetDlgItem(IDC_PICTURE))->SetBitmap(&m_picture);
    log.clear();
    return TRUE;
}

void GalleryDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_COLOUR, m_colourButton);
    DDX_Text(dx, IDC_NAME, m_name);
    DDV_MaxChars(dx, m_name, 20);
    DDX_Text(dx, IDC_RADIUS, m_radius);
    DDV_MinMaxInt(dx, m_radius, 10, 500);
    DDX_Text(dx, IDC_GRADE, m_grade);
    DDV_MinMaxDouble(dx, m_grade, 0.0, 4.5);
    DDX_Check(dx, IDC_BALLAST, m_ballast);
    DDX_Check(dx, IDC_SLEEPERS, m_sleepers);
    DDX_Radio(dx, IDC_GAUGE_H0, m_gauge);
    DDX_Text(dx, IDC_NOTES, m_notes);
    DDX_Slider(dx, IDC_SPEED, m_speed);
    DDX_CBString(dx, IDC_KIND, m_kind);
}

void GalleryDialog::OnOK() {
    CWnd* focus = GetFocus();
    focusAtOK = focus ? focus->GetDlgCtrlID() : 0;
    log.push_back("ok");
    CDialog::OnOK();
    okAccepted = !InModalLoop();
}

void GalleryDialog::OnHScroll(UINT code, UINT position, CScrollBar* bar) {
    CString entry;
    entry.Format("hscroll %d %u %u", bar ? reinterpret_cast<CWnd*>(bar)->GetDlgCtrlID() : 0, code, position);
    log.push_back(entry);
}

void GalleryDialog::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
    CString entry;
    entry.Format("vscroll %d %u %u", bar ? reinterpret_cast<CWnd*>(bar)->GetDlgCtrlID() : 0, code, position);
    log.push_back(entry);
}

void GalleryDialog::OnTabChange(NMHDR*, LRESULT*) {
    CString entry;
    entry.Format("tab %d", static_cast<CTabCtrl*>(GetDlgItem(IDC_TABS))->GetCurSel());
    log.push_back(entry);
}

}  // namespace gallery
