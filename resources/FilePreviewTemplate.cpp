#include "resources/FilePreviewTemplate.h"

#include "platform/ctl/BasicControlDefs.h"

const DialogTemplate& FilePreviewTemplate() {
    static const DialogTemplate dialog{
        IDD_FILE_PREVIEW,
        "",
        WS_CHILD | WS_VISIBLE | DS_CONTROL,
        CRect(0, 0, 280, 96),
        {
            {IDC_FILE_PLACEHOLDER, WC_STATIC, "", WS_CHILD, CRect(0, 0, 280, 4)},
            {IDC_FILE_SHOW_PREVIEW, WC_BUTTON, "Show preview",
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(7, 6, 107, 16)},
            {IDC_FILE_PREVIEW_AREA, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_SUNKEN, CRect(7, 20, 127, 92)},
        }};
    return dialog;
}
