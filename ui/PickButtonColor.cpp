#include "ui/PickButtonColor.h"

#include "platform/cdlg/CColorDialog.h"
#include "ui/CColorButton.h"

BOOL PickButtonColor(CColorButton& button, CWnd* parent) {
    CColorDialog dialog(button.GetColor(), CC_RGBINIT, parent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    button.SetColor(dialog.GetColor());
    button.Invalidate();
    return TRUE;
}
