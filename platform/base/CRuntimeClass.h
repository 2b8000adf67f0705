#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

class CObject;

// The class record every dynamic class carries: its name, its schema number, how to make
// one, and its base. Records of creatable classes register themselves by name.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that are never stored
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CRuntimeClass(const char* name, int size, UINT schema, CObject* (*create)(), const CRuntimeClass* base);

    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    // The creatable class of that name, or null.
    static const CRuntimeClass* FromName(const char* name);
    // Every creatable class, by name.
    static std::vector<const CRuntimeClass*> Creatable();
};
