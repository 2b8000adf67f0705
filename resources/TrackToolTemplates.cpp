#include "resources/TrackToolTemplates.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kPicture = kButton | BS_PUSHBUTTON | BS_ICON;
constexpr DWORD kRadio = kButton | BS_AUTORADIOBUTTON;
}  // namespace

const DialogTemplate& ElevationsTemplate() {
    static const DialogTemplate dialog{
        IDD_ELEVATIONS,
        "Elevations",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 214, 120),
        {
            {IDC_ELEVATION_EDIT_ELEVATIONS, WC_BUTTON, "Button2", kPicture, CRect(7, 7, 27, 27)},
            {0, WC_STATIC, "Begin", kLabel, CRect(34, 8, 74, 16)},
            {IDC_ELEVATION_BEGIN, WC_EDIT, "", kEdit, CRect(34, 18, 94, 32)},
            {0, WC_STATIC, "End", kLabel, CRect(104, 8, 144, 16)},
            {IDC_ELEVATION_END, WC_EDIT, "", kEdit, CRect(104, 18, 164, 32)},
            {IDC_ELEVATION_EDIT_GRADE, WC_BUTTON, "Button2", kPicture, CRect(7, 44, 27, 64)},
            {0, WC_STATIC, "Grade %", kLabel, CRect(34, 45, 74, 53)},
            {IDC_ELEVATION_GRADE, WC_EDIT, "", kEdit, CRect(34, 55, 74, 69)},
            {0, WC_STATIC, "Orientation", kLabel, CRect(84, 45, 134, 53)},
            {IDC_ELEVATION_DIRECTION, WC_BUTTON, "Button1", kPicture, CRect(84, 55, 104, 75)},
            {0, WC_STATIC, "Fixed point :", kLabel, CRect(34, 80, 84, 88)},
            {IDC_ELEVATION_FIX_BEGIN, WC_BUTTON, "Begin", kRadio | WS_GROUP, CRect(86, 79, 126, 89)},
            {IDC_ELEVATION_FIX_END, WC_BUTTON, "End", kRadio, CRect(128, 79, 168, 89)},
            {IDC_ELEVATION_OK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON | WS_GROUP,
             CRect(102, 99, 152, 113)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(157, 99, 207, 113)},
        }};
    return dialog;
}

const DialogTemplate& ParallelTrackTemplate() {
    static const DialogTemplate dialog{
        IDD_PARALLEL_TRACK,
        "Parallel track",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        CRect(0, 0, 186, 50),
        {
            {0, WC_STATIC, "Offset distance", kLabel, CRect(7, 10, 67, 18)},
            {IDC_PARALLEL_OFFSET, WC_EDIT, "", kEdit, CRect(70, 7, 130, 21)},
            {IDOK, WC_BUTTON, "OK", kButton | BS_DEFPUSHBUTTON, CRect(74, 29, 124, 43)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(129, 29, 179, 43)},
        }};
    return dialog;
}
