#include "model/CPropertiesDialog.h"

namespace {

PropertiesDialogMaker& RegisteredMaker() {
    static PropertiesDialogMaker maker;
    return maker;
}

}  // namespace

void RegisterPropertiesDialog(PropertiesDialogMaker maker) {
    RegisteredMaker() = std::move(maker);
}

std::unique_ptr<CPropertiesDialog> MakePropertiesDialog(CPaint* object, BOOL multipleSelection,
                                                        const CPose* pose) {
    const PropertiesDialogMaker& maker = RegisteredMaker();
    return maker ? maker(object, multipleSelection, pose) : nullptr;
}
