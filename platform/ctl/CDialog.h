#pragma once

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DialogTemplate.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CWnd.h"

class CDataExchange;

// A window built from a dialog template: run modally (DoModal, a nested message loop) or
// modeless (Create), or as a page inside another window when its template has WS_CHILD. The
// dialog walks its controls with the keyboard (Tab, arrows in groups, Enter for the default
// button, Escape for Cancel, Alt and a control's underlined letter, Ctrl+Tab for its tabs)
// and exchanges data with them through DoDataExchange.
class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
    DECLARE_MESSAGE_MAP()
  public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);

    // --- Running --------------------------------------------------------------------------
    virtual INT_PTR DoModal();
    // The template DoModal builds from.
    BOOL InitModalIndirect(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    // Modal: ends the loop with result. Modeless: hides the dialog.
    void EndDialog(int result);
    const DialogTemplate* GetTemplate() const { return m_template; }
    UINT GetTemplateId() const { return m_templateId; }

    // --- Data exchange --------------------------------------------------------------------
    // FALSE moves the members into the controls; TRUE reads and validates them, answering
    // FALSE (the dialog stays, the offending control has the focus) when a value is refused.
    // While a refusal is under way it reads nothing and answers FALSE.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // --- Controls -------------------------------------------------------------------------
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    int GetDlgItemText(int id, LPTSTR buffer, int maxCount) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void MapDialogRect(RECT* rect) const;
    CFont* GetFont() { return &m_font; }

    BOOL PreTranslateMessage(MSG* msg) override;
    // The resource id F1 asks the help for: the template's, unless the class names another.
    virtual UINT HelpContextId() const;
    // What F1 asks the help for (HID_BASE_RESOURCE or HID_BASE_COMMAND and an id); 0 for nothing.
    DWORD_PTR HelpContext() const;

  protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnClose() override;
    void OnSetFocus(CWnd* oldWindow) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Makes the window and its controls from the template; modal dialogs start hidden.
    BOOL CreateFromTemplate(CWnd* parent, bool visible);
    // Whether the dialog should handle this key itself (Tab, Enter, Escape, arrows).
    BOOL IsDialogMessage(MSG* msg);

    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

  private:
    bool CreateControls();
    void PressDefaultButton();
    void PressCommandButton(int id);
    void MoveFocus(CWnd* control);
    BOOL PressAccessKey(CWnd* focus, UINT key);
    // Turns the dialog's tabs step places; false when it shows none.
    bool TurnTabs(int step);
    static bool IsHelpKey(const MSG& msg);
    BOOL ShowHelp();

    const DialogTemplate* m_template = nullptr;
    UINT m_templateId = 0;
    CFont m_font;
    UINT m_defaultId = IDOK;
    CWnd* m_lastFocus = nullptr;
};
