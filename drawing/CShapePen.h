#pragma once

#include "platform/gdi/CPen.h"

class CDC;
class CPaint;

// The pen of a shape's outline, selected into the device context with a transparent
// background for as long as it lives; the previous pen and mode come back on every exit.
class CShapePen {
  public:
    CShapePen(CPaint& shape, CDC& dc);
    ~CShapePen();
    CShapePen(const CShapePen&) = delete;
    CShapePen& operator=(const CShapePen&) = delete;

  private:
    CDC& m_dc;
    CPen m_pen;
    CPen* m_pPrevious;
    int m_nPreviousMode;
};
