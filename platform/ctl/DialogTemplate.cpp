#include "platform/ctl/DialogTemplate.h"

#include <map>

namespace {
std::map<UINT, DialogTemplate>& Templates() {
    static std::map<UINT, DialogTemplate> templates;
    return templates;
}
}  // namespace

void RegisterDialogTemplate(const DialogTemplate& dialog) {
    Templates().insert_or_assign(dialog.id, dialog);
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    const auto found = Templates().find(id);
    return found == Templates().end() ? nullptr : &found->second;
}
