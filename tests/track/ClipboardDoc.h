#pragma once

#include "tests/track/LargeLayout.h"

// A layout with a clipboard of its own and a plan window that shows the page's middle, where
// pasted objects land.
class ClipboardDoc : public QuietDoc {
  public:
    ~ClipboardDoc() override {
        for (CPaint* object : m_clipboard) delete object;
    }
    CPaintList* GetClipboard() override { return &m_clipboard; }
    BOOL GetPlanViewCentre(int& centreX, int& centreY) const override {
        centreX = 5000;
        centreY = 5000;
        return TRUE;
    }

  private:
    CPaintList m_clipboard;
};
