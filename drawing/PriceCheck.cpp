#include "drawing/PriceCheck.h"

#include <cstdlib>

#include "platform/win/CWnd.h"

double ReadPrice(const CString& text) {
    return std::strtod(text.c_str(), nullptr);
}

BOOL RefuseNegativePrice(CWnd& dialog, int priceId, double price) {
    if (price >= 0.0)
        return FALSE;
    dialog.MessageBox("Please enter a positive number ", "Corvane", MB_OK | MB_ICONWARNING);
    if (CWnd* field = dialog.GetDlgItem(priceId))
        field->SetFocus();
    return TRUE;
}
