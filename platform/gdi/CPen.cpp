#include "platform/gdi/CPen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color) {
    const LOGPEN pen{static_cast<UINT>(penStyle), {width, 0}, color};
    return CreatePenIndirect(&pen);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen) {
    if (!logPen || m_hObject)
        return FALSE;
    m_logPen = *logPen;
    if (m_logPen.lopnWidth.x < 0)
        m_logPen.lopnWidth.x = 0;
    MarkCreated();
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* logPen) const {
    if (!m_hObject || !logPen)
        return 0;
    *logPen = m_logPen;
    return static_cast<int>(sizeof(LOGPEN));
}
