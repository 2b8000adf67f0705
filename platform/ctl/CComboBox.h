#pragma once

#include <memory>

#include "platform/ctl/CListBox.h"

class CEdit;

// A selection field with a list that drops down below it in a popup window: a drop-down list
// (CBS_DROPDOWNLIST, the field shows the chosen item) or a drop-down with an edit field of its
// own (CBS_DROPDOWN). The window is as high as the field; the height it was created with is the
// height of the dropped list. The items live in the drop-down's list box. The edit field is a
// CEdit in the field's place, so it edits as every edit field does; the combo keeps the focus
// and hands the field the keys it does not take itself.
class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
  public:
    CComboBox();
    ~CComboBox() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // --- Items ----------------------------------------------------------------------------
    int GetCount() const { return m_list->GetCount(); }
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetLBText(int index, CString& text) const { return m_list->GetText(index, text); }
    int GetLBTextLen(int index) const { return m_list->GetTextLen(index); }
    DWORD_PTR GetItemData(int index) const { return m_list->GetItemData(index); }
    int SetItemData(int index, DWORD_PTR data) { return m_list->SetItemData(index, data); }
    void* GetItemDataPtr(int index) const { return m_list->GetItemDataPtr(index); }
    int SetItemDataPtr(int index, void* data) { return m_list->SetItemDataPtr(index, data); }
    int FindString(int start, LPCTSTR text) const { return m_list->FindString(start, text); }
    int FindStringExact(int start, LPCTSTR text) const { return m_list->FindStringExact(start, text); }

    // --- Selection ------------------------------------------------------------------------
    int GetCurSel() const { return m_list->GetCurSel(); }
    // Selects index (-1 or an index out of range: none) and shows it in the field.
    int SetCurSel(int index);
    int SelectString(int start, LPCTSTR text);

    // --- Drop-down ------------------------------------------------------------------------
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const { return m_dropped ? TRUE : FALSE; }
    void GetDroppedControlRect(RECT* rect) const;
    // The list box that drops down (a popup window).
    CListBox& DropList() const { return *m_list; }
    // itemIndex -1: the selection field.
    int GetItemHeight(int itemIndex) const;
    int SetItemHeight(int itemIndex, UINT height);

    // --- The edit field of CBS_DROPDOWN ---------------------------------------------------
    // Start and end of the edit selection packed as LOWORD and HIWORD.
    DWORD GetEditSel() const;
    // A negative start removes the selection; end -1 means the end of the text.
    BOOL SetEditSel(int start, int end);

    void DrawItem(DRAWITEMSTRUCT* item) override;
    void MeasureItem(MEASUREITEMSTRUCT* item) override;

  protected:
    // The scroll bar a template gives a combo box belongs to its dropped list, never to the field.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(CREATESTRUCT* cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    // The dropped list closes choosing nothing, as a press outside it does.
    void OnCancelMode() override;
    // Arrow keys move the selection and letters find items, even inside a dialog.
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    // An open list takes Return, Escape and Tab itself: they close the list, not the dialog or
    // frame. The edit field is enabled and disabled with the combo.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool HasEdit() const { return (GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWN; }
    bool OwnerDrawn() const { return (GetStyle() & CBS_OWNERDRAWFIXED) != 0; }
    int FieldHeight() const;
    void FitToField();
    CRect ButtonRect() const;
    CRect TextRect() const;
    bool InList(CPoint clientPoint) const;
    CPoint ToList(CPoint clientPoint) const;
    void CloseUp(bool accept);
    void TakeRowAndTabOn();
    void ChangeSelection(int index);
    void ShowSelectionText();
    void PaintField(CDC& dc);
    void PaintButton(CDC& dc);
    void CreateEdit(DWORD style);
    void ShowTextInEdit();
    // The edit field's text changed: the combo's text follows it and its owner hears of a
    // change the person made.
    void TakeEditChange(UINT code);
    void PassToEdit(UINT message, WPARAM wParam, UINT repeat, UINT flags);
    void Notify(UINT code) { CommandOwner(*this, code); }

    std::unique_ptr<CListBox> m_list;
    std::unique_ptr<CEdit> m_edit;
    bool m_showingText = false;
    bool m_dropped = false;
    bool m_buttonDown = false;
    int m_dropHeight = 100;
    int m_selectionAtDrop = CB_ERR;
};
