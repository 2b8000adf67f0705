#include "platform/win/Cursors.h"

#include <map>
#include <memory>

namespace {
HCURSOR SharedCursor(int standard, UINT resource) {
    static std::map<std::pair<int, UINT>, std::unique_ptr<CursorShape>> cursors;
    auto& slot = cursors[{standard, resource}];
    if (!slot) slot = std::make_unique<CursorShape>(CursorShape{standard, resource});
    return slot.get();
}
}  // namespace

HCURSOR LoadStandardCursor(int idc) { return SharedCursor(idc, 0); }
HCURSOR LoadResourceCursor(UINT resource) { return SharedCursor(0, resource); }
