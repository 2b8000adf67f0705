#include "drawing/PriceCheck.h"

#include <cmath>

#include "platform/ctl/CDialog.h"
#include "platform/ctl/DataExchange.h"

double ReadPrice(const CString& text) {
    double price = std::nan("");
    ReadNumberText(text, price);
    return price;
}

BOOL RefuseNegativePrice(CDialog& dialog, int priceId, double price) {
    if (price >= 0.0 && price <= kLargestPrice)
        return FALSE;
    dialog.MessageBox(price > kLargestPrice ? "Please enter a price between 0.00 and 1000000000.00."
                                            : "Please enter a positive number ",
                      "Corvane", MB_OK | MB_ICONWARNING);
    if (CWnd* field = dialog.GetDlgItem(priceId))
        dialog.GotoDlgCtrl(field);
    return TRUE;
}
