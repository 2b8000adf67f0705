#include "terrain/CGrideKnot.h"

#include <algorithm>

IMPLEMENT_SERIAL(CGrideKnot, CObject, 1)

bool CGrideKnot::IsLinkedTo(int index) const {
    return std::find(links.begin(), links.end(), index) != links.end();
}

void CGrideKnot::RemoveLink(int index) {
    links.erase(std::remove(links.begin(), links.end(), index), links.end());
}
