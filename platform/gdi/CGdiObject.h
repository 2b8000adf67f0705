#pragma once

#include "platform/base/CObject.h"
#include "platform/gdi/GdiTypes.h"

// Root of the drawing objects. m_hObject is non-null while the object holds a created object.
class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
  public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return GetSafeHandle(); }
    // Frees the object; answers FALSE when there was none.
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;

  protected:
    void MarkCreated() { m_hObject = this; }
    virtual void Release() {}
};
