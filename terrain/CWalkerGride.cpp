#include "terrain/CWalkerGride.h"

IMPLEMENT_SERIAL(CWalkerGride, CObject, 1)

int CWalkerGride::Add(const CGrideKnot& knot) {
    m_knots.push_back(knot);
    return GetSize() - 1;
}

void CWalkerGride::Link(int a, int b) {
    (*this)[a].links.Add(b);
    (*this)[b].links.Add(a);
}

void CWalkerGride::Unlink(int a, int b) {
    if (a < 0 || b < 0 || a >= GetSize() || b >= GetSize())
        return;
    (*this)[a].RemoveLink(b);
    (*this)[b].RemoveLink(a);
}
