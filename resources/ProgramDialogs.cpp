#include "resources/ProgramDialogs.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DialogTemplate.h"

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kVisible = WS_CHILD | WS_VISIBLE;

DialogItem PictureButton(UINT id, int left) {
    return {id, WC_BUTTON, "", kVisible | WS_TABSTOP | BS_OWNERDRAW, CRect(left, 150, left + 16, 166)};
}

DialogTemplate AboutBox() {
    return DialogTemplate(
        IDD_ABOUTBOX, "About...", kDialogStyle, CRect(0, 0, 180, 130),
        {{IDC_ABOUT_PICTURE, WC_STATIC, "", kVisible | SS_BITMAP, CRect(10, 8, 170, 88)},
         {static_cast<UINT>(-1), WC_STATIC, "Corvane, model railway layouts in plan and 3D",
          kVisible | SS_CENTER, CRect(10, 92, 170, 102)},
         {IDOK, WC_BUTTON, "OK", kVisible | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(65, 108, 115, 122)}});
}

DialogTemplate CreditsDialog() {
    return DialogTemplate(
        IDD_CREDITS, "Credits", kDialogStyle, CRect(0, 0, 180, 176),
        {{IDC_CREDITS_PICTURE, WC_STATIC, "", kVisible | SS_BITMAP, CRect(10, 6, 170, 46)},
         {IDC_CREDITS_TEXT, WC_STATIC, "", kVisible | WS_BORDER, CRect(10, 50, 170, 144)},
         PictureButton(IDC_CREDITS_FORWARD, 10),
         PictureButton(IDC_CREDITS_BACKWARD, 28),
         PictureButton(IDC_CREDITS_RUN, 46),
         PictureButton(IDC_CREDITS_STOP, 64),
         PictureButton(IDC_CREDITS_FASTER, 82),
         PictureButton(IDC_CREDITS_SLOWER, 100),
         {IDOK, WC_BUTTON, "Ok", kVisible | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(125, 151, 170, 165)}});
}

}  // namespace

void RegisterProgramDialogs() {
    RegisterDialogTemplate(AboutBox());
    RegisterDialogTemplate(CreditsDialog());
}
