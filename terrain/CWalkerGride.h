#pragma once

#include <cstddef>
#include <vector>

#include "platform/base/CObject.h"
#include "terrain/CGrideKnot.h"

// The knots of a terrain held by value, with the links between them made and removed both
// ways.
class CWalkerGride : public CObject {
    DECLARE_SERIAL(CWalkerGride)

  public:
    int GetSize() const { return static_cast<int>(m_knots.size()); }
    CGrideKnot& operator[](int index) { return m_knots[static_cast<size_t>(index)]; }
    const CGrideKnot& operator[](int index) const { return m_knots[static_cast<size_t>(index)]; }
    int Add(const CGrideKnot& knot);
    void RemoveAll() { m_knots.clear(); }
    void Reserve(int count) { m_knots.reserve(static_cast<size_t>(count)); }
    // Links a to b and b to a.
    void Link(int a, int b);
    // Removes the links between a and b; nothing happens when either is no knot.
    void Unlink(int a, int b);

  protected:
    std::vector<CGrideKnot> m_knots;
};
