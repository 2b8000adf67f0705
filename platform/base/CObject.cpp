#include "platform/base/CObject.h"

const CRuntimeClass CObject::classCObject("CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                          nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass) ? TRUE : FALSE;
}
