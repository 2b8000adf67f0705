#pragma once

#include "model/PaintRecords.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/gdi/CFont.h"

// The short text drawn in a tool-tip coloured box beside the cursor while a handle is
// dragged, with the font it is drawn in.
class CHint : public CObject {
    DECLARE_SERIAL(CHint)

  public:
    CHint();
    CHint(const CHint&) = delete;
    CHint& operator=(const CHint&) = delete;

    int m_bShown = 1;
    CString m_strText;
    // Device rectangle of the box; its top may lie above its bottom.
    DeviceRect m_rect;
    CFont m_font;
};
