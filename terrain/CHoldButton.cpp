#include "terrain/CHoldButton.h"

IMPLEMENT_DYNAMIC(CHoldButton, CButton)

void CHoldButton::OnLButtonDown(UINT flags, CPoint point) {
    CButton::OnLButtonDown(flags, point);
    m_held = true;
    if (m_onHold)
        m_onHold(true);
}

void CHoldButton::OnLButtonUp(UINT flags, CPoint point) {
    if (m_held && m_onHold)
        m_onHold(false);
    m_held = false;
    CButton::OnLButtonUp(flags, point);
}
