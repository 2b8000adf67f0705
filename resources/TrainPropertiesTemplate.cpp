#include "resources/TrainPropertiesTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

namespace {
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kScroll = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ;
}  // namespace

const DialogTemplate& TrainPropertiesTemplate() {
    static const DialogTemplate dialog{
        IDD_TRAIN_PROPERTIES,
        "Train properties",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
        CRect(0, 0, 265, 150),
        {
            {0, WC_STATIC, "Train object", kLabel, CRect(7, 9, 60, 17)},
            {IDC_TRAIN_LOCO_FILE, WC_EDIT, "", kEdit, CRect(62, 7, 190, 21)},
            {IDC_TRAIN_BROWSE_LOCO, WC_BUTTON, "Browse", kButton | BS_PUSHBUTTON, CRect(195, 7, 243, 21)},
            {0, WC_STATIC, "Car object", kLabel, CRect(7, 29, 60, 37)},
            {IDC_TRAIN_CAR_FILE, WC_EDIT, "", kEdit, CRect(62, 27, 190, 41)},
            {IDC_TRAIN_BROWSE_CAR, WC_BUTTON, "Browse", kButton | BS_PUSHBUTTON, CRect(195, 27, 243, 41)},
            {0, WC_STATIC, "Train speed", kLabel, CRect(7, 50, 60, 58)},
            {IDC_TRAIN_SPEED, WC_SCROLLBAR, "", kScroll, CRect(62, 49, 190, 59)},
            {IDC_TRAIN_SPEED_LABEL, WC_STATIC, "0", kLabel, CRect(195, 50, 243, 58)},
            {0, WC_STATIC, "Car count", kLabel, CRect(7, 67, 60, 75)},
            {IDC_TRAIN_CAR_COUNT, WC_SCROLLBAR, "", kScroll, CRect(62, 66, 190, 76)},
            {IDC_TRAIN_CAR_COUNT_LABEL, WC_STATIC, "0", kLabel, CRect(195, 67, 243, 75)},
            {0, WC_STATIC, "Color on 2D", kLabel, CRect(7, 86, 60, 94)},
            {IDC_TRAIN_COLOR, WC_BUTTON, "Train color", kButton | BS_OWNERDRAW, CRect(62, 83, 102, 97)},
            {0, WC_STATIC, "Train status", kLabel, CRect(7, 107, 60, 115)},
            {IDC_TRAIN_STATUS, WC_EDIT, "", kEdit | ES_READONLY, CRect(62, 105, 258, 119)},
            {IDOK, WC_BUTTON, "Ok", kButton | BS_DEFPUSHBUTTON, CRect(153, 129, 203, 143)},
            {IDCANCEL, WC_BUTTON, "Cancel", kButton | BS_PUSHBUTTON, CRect(208, 129, 258, 143)},
        }};
    return dialog;
}
