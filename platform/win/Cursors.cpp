#include "platform/win/Cursors.h"

#include <map>
#include <memory>

namespace {
std::map<UINT, CursorPicture>& ResourcePictures() {
    static std::map<UINT, CursorPicture> pictures;
    return pictures;
}

HCURSOR SharedCursor(int standard, UINT resource, const CursorPicture* picture) {
    static std::map<std::pair<int, UINT>, std::unique_ptr<CursorShape>> cursors;
    auto& slot = cursors[{standard, resource}];
    if (!slot)
        slot = std::make_unique<CursorShape>(CursorShape{standard, resource, picture});
    return slot.get();
}
}  // namespace

void RegisterResourceCursor(UINT resource, const CursorPicture& picture) {
    ResourcePictures()[resource] = picture;
}

HCURSOR LoadStandardCursor(int idc) {
    return SharedCursor(idc, 0, nullptr);
}

HCURSOR LoadResourceCursor(UINT resource) {
    const auto found = ResourcePictures().find(resource);
    if (found == ResourcePictures().end())
        return nullptr;
    return SharedCursor(0, resource, &found->second);
}
