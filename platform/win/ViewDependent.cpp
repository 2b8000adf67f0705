#include "platform/win/ViewDependent.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<ViewDependent*>& Dependents() {
    static std::vector<ViewDependent*> dependents;
    return dependents;
}
}  // namespace

ViewDependent::ViewDependent(CView& view) : m_view(&view) {
    Dependents().push_back(this);
}

ViewDependent::~ViewDependent() {
    std::erase(Dependents(), this);
}

void ViewDependent::ViewClosing(CView& view) {
    // One told may end another, or itself: each is looked for again after every call.
    for (;;) {
        const auto found = std::find_if(Dependents().begin(), Dependents().end(),
                                        [&view](const ViewDependent* each) { return each->m_view == &view; });
        if (found == Dependents().end())
            return;
        ViewDependent* dependent = *found;
        Dependents().erase(found);
        dependent->m_view = nullptr;
        dependent->OnViewClosing(view);
    }
}
