#include "drawing/CGroupPropertyRunner.h"

void CGroupPropertyRunner::Register() {
    RegisterGroupPropertiesDialog([] { return std::make_unique<CGroupPropertyRunner>(); });
}

void CGroupPropertyRunner::SetObject(CGroup* group, const CPose* pose, BOOL multipleSelection) {
    m_group = group;
    m_dialog.SetObject(group, pose, multipleSelection);
}

int CGroupPropertyRunner::DoModal() {
    return m_dialog.DoModal() == IDOK ? kResultOk : 0;
}
