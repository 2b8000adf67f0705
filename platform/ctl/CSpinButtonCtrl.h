#pragma once

#include <vector>

#include "platform/ctl/CControlWnd.h"

// An up-down control: two arrow buttons that step a position within a range, held down they
// repeat (faster as the accelerations say), with a buddy window that shows the position
// (UDS_SETBUDDYINT) and beside which it sits (UDS_ALIGNRIGHT, UDS_ALIGNLEFT), and whose Up and
// Down keys it takes (UDS_ARROWKEYS). Each step asks
// the parent first (UDN_DELTAPOS, which it may refuse), then tells it (WM_VSCROLL or
// WM_HSCROLL with SB_THUMBPOSITION).
class CSpinButtonCtrl : public CControlWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int lower, int upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const { GetRange32(lower, upper); }
    void GetRange32(int& lower, int& upper) const;
    int SetPos(int position);
    int GetPos() const { return m_position; }
    int GetPos32() const { return m_position; }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const { return m_buddy; }
    int SetBase(int base);
    int GetBase() const { return m_base; }
    BOOL SetAccel(int count, const UDACCEL* accelerations);
    UINT GetAccel(int count, UDACCEL* accelerations) const;

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    int OnCreate(CREATESTRUCT* cs) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override { OnLButtonDown(flags, point); }
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void OnTimer(UINT_PTR id) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override { return DLGC_STATIC; }

  private:
    bool IsHorizontal() const { return (GetStyle() & UDS_HORZ) != 0; }
    CRect ArrowRect(bool up) const;
    // One step up (towards the upper end) or down, as the parent allows.
    void Step(bool up);
    int StepSize() const;
    void ReadBuddy();
    void WriteBuddy();
    void AlignWithBuddy();
    void Press(bool up);
    void Release();

    int m_lower = 100;
    int m_upper = 0;
    int m_position = 0;
    int m_base = 10;
    CWnd* m_buddy = nullptr;
    std::vector<UDACCEL> m_accel{{0, 1}};
    int m_pressed = 0;  // 1 up, -1 down, 0 none
    DWORD m_pressTime = 0;
};
