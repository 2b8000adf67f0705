#include "platform/base/CObList.h"

#include "platform/base/CArchive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

void CObList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;) {
            ar << GetNext(pos);
        }
        return;
    }
    DWORD count = ar.ReadCount();
    ar.CheckRemaining(2ULL * count);  // every object record has at least its 2-byte tag
    for (DWORD i = 0; i < count; ++i) {
        AddTail(ar.ReadObject(nullptr));
    }
}
