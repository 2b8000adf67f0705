#pragma once

#include "platform/ctl/CListCtrl.h"

// The manufacturer parts list's report list; it draws each row itself (highlight, the mark
// icon, texts cut with "..." from the left).
class CPartsListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CPartsListCtrl)
  public:
    void DrawItem(DRAWITEMSTRUCT* item) override;
};
