#pragma once

#include "platform/base/CList.h"
#include "platform/base/CObject.h"

// A list of object pointers. It does not own its objects. Stored as a count followed by
// that many object records.
class CObList : public CObject, public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)

public:
    // Loading appends the objects read; on failure the objects read so far stay in the list
    // for their owner to delete.
    void Serialize(CArchive& ar) override;
};
