#include "platform/base/CObArray.h"

#include "platform/base/CArchive.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(GetSize()));
        for (CObject* object : *this) {
            ar << object;
        }
        return;
    }
    DWORD count = ar.ReadCount();
    ar.CheckRemaining(2ULL * count);  // every object record has at least its 2-byte tag
    RemoveAll();
    for (DWORD i = 0; i < count; ++i) {
        Add(ar.ReadObject(nullptr));
    }
}
