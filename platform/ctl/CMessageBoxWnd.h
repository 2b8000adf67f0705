#pragma once

#include <vector>

#include "platform/ctl/CDialog.h"

// A message box: caption, icon, text wrapped to a width the screen has room for, and push
// buttons for the answers its type offers. Tab walks the buttons, Enter presses the one with the
// focus, a button's underlined letter presses it, and Escape answers Cancel (or OK when OK is the
// only button). Answers the id of the button pressed.
class CMessageBoxWnd : public CDialog {
  public:
    CMessageBoxWnd(const CString& text, const CString& caption, UINT type, CWnd* owner);

    const CString& Text() const { return m_messageText; }
    UINT Type() const { return m_type; }
    const std::vector<int>& Buttons() const { return m_buttons; }
    // A button's rectangle, and the icon's, in client coordinates.
    CRect ButtonRect(int index) const;
    CRect IconRect() const;

    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

  private:
    // Places the text, the icon and the buttons, and sizes the box around them.
    void Layout();
    // Centred over its owner, the box still stays inside the screen.
    void KeepOnScreen();
    // The button whose label's underlined letter is key, or 0.
    int ButtonForKey(UINT key) const;
    void Answer(int id);

    CString m_messageText;
    UINT m_type;
    std::vector<int> m_buttons;
    DialogTemplate m_template;
    CRect m_textRect;
};
