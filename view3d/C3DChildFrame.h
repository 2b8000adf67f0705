#pragma once

#include "platform/win/CMDIChildWnd.h"

// The 3D window's frame. Closing it tells the document, so that "3D View" opens a new one.
class C3DChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(C3DChildFrame)

  protected:
    void OnClose() override;
};
