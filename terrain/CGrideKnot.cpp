#include "terrain/CGrideKnot.h"

#include <algorithm>

IMPLEMENT_SERIAL(CGrideKnot, CObject, 1)

bool CGrideKnot::IsLinkedTo(int index) const {
    return std::find(links.begin(), links.end(), index) != links.end();
}

void CGrideKnot::RemoveLink(int index) {
    for (int i = links.GetSize() - 1; i >= 0; --i)
        if (links[i] == index)
            links.RemoveAt(i);
}
