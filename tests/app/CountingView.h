#pragma once

#include "platform/win/CView.h"

// A view that counts the updates its layout sends it.
class CountingView : public CView {
  public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
    int updates = 0;
};
