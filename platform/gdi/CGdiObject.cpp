#include "platform/gdi/CGdiObject.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    Release();
    m_hObject = nullptr;
    return TRUE;
}
