#pragma once

#include "platform/gdi/CDC.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowDCs.h"

// A window whose client area paints white, for pictures checked pixel by pixel.
class WhiteWnd : public CWnd {
  protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(255, 255, 255));
    }
};
