#pragma once

#include "platform/ctl/CControlWnd.h"

class CBitmap;

// Push buttons (plain, default, owner-drawn, with a bitmap or an icon), check boxes, radio
// buttons and group boxes: the window class "Button", the kind chosen by the BS_ style.
class CButton : public CControlWnd {
    DECLARE_DYNAMIC(CButton)
  public:
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    int GetCheck() const { return m_check; }
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL highlight);
    CBitmap* SetBitmap(CBitmap* bitmap);
    CBitmap* GetBitmap() const { return m_bitmap; }
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon; }
    // Press-and-hold: BN_CLICKED when pressed, then every interval milliseconds while held.
    void SetRepeat(UINT interval) { m_repeatInterval = interval; }
    // What a click does: toggles automatic check boxes, checks automatic radio buttons (and
    // clears the rest of their group), then tells the parent.
    void Click();

    bool IsPushButton() const;
    bool IsRadioButton() const;
    // A push button shows as the default while it has the focus, or while it is the dialog's
    // default and no other push button has the focus.
    bool ShowsAsDefault() const;
    // A check box's or radio button's square or circle, and the part beside it its label is
    // drawn in, in client coordinates.
    CRect CheckBoxRect() const;
    CRect LabelRect() const;

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnTimer(UINT_PTR id) override;
    UINT OnGetDlgCode() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void SetPushed(bool pushed);
    void PaintPushButton(CDC& dc, const CRect& client);
    void PaintCheckOrRadio(CDC& dc, const CRect& client);
    void DrawCheckOrRadioFocus(CDC& dc, const CRect& client, const CString& text);
    void PaintOwnerDrawn(CDC& dc, const CRect& client);
    void InvalidateDialogDefault();

    int m_check = 0;
    bool m_pushed = false;
    bool m_spaceDown = false;
    CBitmap* m_bitmap = nullptr;
    HICON m_icon = nullptr;
    UINT m_repeatInterval = 0;
};
