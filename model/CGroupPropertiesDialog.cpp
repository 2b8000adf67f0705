#include "model/CGroupPropertiesDialog.h"

namespace {

GroupPropertiesDialogMaker& RegisteredMaker() {
    static GroupPropertiesDialogMaker maker;
    return maker;
}

}  // namespace

void RegisterGroupPropertiesDialog(GroupPropertiesDialogMaker maker) {
    RegisteredMaker() = std::move(maker);
}

std::unique_ptr<CGroupPropertiesDialog> MakeGroupPropertiesDialog() {
    const GroupPropertiesDialogMaker& maker = RegisteredMaker();
    return maker ? maker() : nullptr;
}
