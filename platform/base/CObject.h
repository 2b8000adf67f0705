#pragma once

#include "platform/base/CRuntimeClass.h"
#include "platform/base/WinTypes.h"

class CArchive;

// Root of every class that has a runtime class record or is stored in an archive.
class CObject {
public:
    static const CRuntimeClass classCObject;

    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
    // The class name the program compares kinds by, e.g. "CTrack".
    const char* GetClassName() const { return GetRuntimeClass()->m_lpszClassName; }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                          \
public:                                                      \
    static const CRuntimeClass class##class_name;            \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define CORVANE_IMPLEMENT_RUNTIME(class_name, base_name, schema, create)                                   \
    const CRuntimeClass class_name::class##class_name(#class_name, static_cast<int>(sizeof(class_name)), \
                                                      schema, create, RUNTIME_CLASS(base_name));          \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_name) CORVANE_IMPLEMENT_RUNTIME(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                            \
    CObject* class_name::CreateObject() { return new class_name; }            \
    CORVANE_IMPLEMENT_RUNTIME(class_name, base_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_name, schema)                       \
    CObject* class_name::CreateObject() { return new class_name; }            \
    CORVANE_IMPLEMENT_RUNTIME(class_name, base_name, schema, class_name::CreateObject)
