#include "drawing/CShapePen.h"

#include "drawing/ShapeSupport.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/LogicalPixelSize.h"

CShapePen::CShapePen(CPaint& shape, CDC& dc)
    : m_dc(dc),
      m_pen(shape.m_pen.style, shape.m_pen.widthX * LogicalPixelSize(&dc), shape::OutlineColor(shape)),
      m_pPrevious(dc.SelectObject(&m_pen)),
      m_nPreviousMode(dc.SetBkMode(TRANSPARENT)) {}

CShapePen::~CShapePen() {
    m_dc.SetBkMode(m_nPreviousMode);
    m_dc.SelectObject(m_pPrevious);
}
