#pragma once

#include <vector>

#include "platform/ctl/CControlWnd.h"

// A small yellow window with a tool's text, shown when the mouse rests over the tool and
// gone when it moves off or a button is pressed. The owner relays its mouse messages
// (RelayEvent, usually from PreTranslateMessage); a tool added with LPSTR_TEXTCALLBACK asks
// its window's parent for the text (TTN_NEEDTEXT).
class CToolTipCtrl : public CControlWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
  public:
    BOOL Create(CWnd* parent, DWORD style = 0);

    // A tool: the whole window (rect null) or a rectangle of its client area.
    BOOL AddTool(CWnd* window, LPCTSTR text = LPSTR_TEXTCALLBACK, const RECT* rect = nullptr,
                 UINT_PTR id = 0);
    void DelTool(CWnd* window, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR id = 0);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }
    void RelayEvent(MSG* msg);
    void Activate(BOOL activate);
    void SetDelayTime(UINT delay) { m_initialDelay = delay; }
    void SetDelayTime(DWORD which, int milliseconds);
    void Pop();
    // The text shown now (empty when hidden).
    CString ShownText() const;

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnTimer(UINT_PTR id) override;
    // The window of the tools stops taking input (a modal dialog starts): no tip stays or comes.
    void OnCancelMode() override;

  private:
    struct Tool {
        CWnd* window;
        UINT_PTR id;
        CRect rect;
        bool wholeWindow;
        CString text;
        bool callback;
    };

    const Tool* ToolAt(CWnd* window, CPoint client) const;
    CString TextOf(const Tool& tool);
    void Show(const Tool& tool);

    std::vector<Tool> m_tools;
    const Tool* m_pending = nullptr;
    const Tool* m_shown = nullptr;
    bool m_active = true;
    UINT m_initialDelay = 500;
    UINT m_autoPop = 5000;
};
