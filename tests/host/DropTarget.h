#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/DropFiles.h"

// A window that keeps the names of the files dropped on it, in turn, and the client point of the
// last drop.
class DropTarget : public CWnd {
  public:
    std::vector<CString> names;
    CPoint at;

  protected:
    void OnDropFiles(HDROP drop) override {
        const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char name[MAX_PATH];
            DragQueryFile(drop, i, name, MAX_PATH);
            names.emplace_back(name);
        }
        DragQueryPoint(drop, &at);
        Dropped(drop);
    }
    // What follows once the drop is read: the drop is let go.
    virtual void Dropped(HDROP drop) { DragFinish(drop); }
};
