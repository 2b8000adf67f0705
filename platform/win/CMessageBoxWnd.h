#pragma once

#include <vector>

#include "platform/win/CWnd.h"

// A message box drawn by us: caption, icon, text and the buttons its type asks for. Run
// modally by AfxMessageBox; answers the id of the button pressed (IDCANCEL when closed).
class CMessageBoxWnd : public CWnd {
public:
    CMessageBoxWnd(const CString& text, const CString& caption, UINT type);

    int DoModal(CWnd* owner);
    const CString& Text() const { return m_messageText; }
    UINT Type() const { return m_type; }
    const std::vector<int>& Buttons() const { return m_buttons; }
    // A button's rectangle in client coordinates.
    CRect ButtonRect(int index) const;

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnClose() override;

private:
    static std::vector<CString> SplitLines(const CString& text);
    CSize ClientSize() const;
    CRect TextRect() const;

    CString m_messageText;
    CString m_caption;
    UINT m_type;
    std::vector<int> m_buttons;
};

// The program's name, the caption of its message boxes.
void AfxSetAppName(const CString& name);
const CString& AfxGetAppName();
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
