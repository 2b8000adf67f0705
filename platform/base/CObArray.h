#pragma once

#include "platform/base/CArray.h"
#include "platform/base/CObject.h"

// A growable array of object pointers. It does not own its objects. Stored as a count
// followed by that many object records.
class CObArray : public CObject, public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)

public:
    // Loading replaces the contents; on failure the objects read so far stay in the array
    // for their owner to delete.
    void Serialize(CArchive& ar) override;
};
