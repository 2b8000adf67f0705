#include "model/CToolHost.h"

#include "model/CGroup.h"

CPaint* CToolHost::GetCurrentGroup() {
    CGroupEditStack* stack = GetGroupEditStack();
    if (stack == nullptr || stack->empty())
        return GetRootGroup();
    return stack->front().m_pGroup;
}
