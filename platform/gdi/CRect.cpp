#include "platform/gdi/CRect.h"

#include <algorithm>

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(const RECT* a, const RECT* b) {
    CRect result(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom));
    if (result.IsRectEmpty())
        result.SetRectEmpty();
    *this = result;
    return !IsRectEmpty();
}

BOOL CRect::UnionRect(const RECT* a, const RECT* b) {
    const CRect ra(*a), rb(*b);
    if (ra.IsRectEmpty()) {
        *this = rb;
    } else if (rb.IsRectEmpty()) {
        *this = ra;
    } else {
        SetRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                std::max(ra.bottom, rb.bottom));
    }
    if (IsRectEmpty())
        SetRectEmpty();
    return !IsRectEmpty();
}

bool CRect::operator==(const RECT& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

CRect& CRect::operator&=(const RECT& other) {
    const CRect self(*this);
    IntersectRect(&self, &other);
    return *this;
}

CRect& CRect::operator|=(const RECT& other) {
    const CRect self(*this);
    UnionRect(&self, &other);
    return *this;
}

CRect CRect::operator&(const RECT& other) const {
    return CRect(*this) &= other;
}
CRect CRect::operator|(const RECT& other) const {
    return CRect(*this) |= other;
}
