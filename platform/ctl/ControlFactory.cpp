#include "platform/ctl/ControlFactory.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/CTreeCtrl.h"
#include "platform/ctl/DialogTemplate.h"

namespace {
// A list-type control a template made belongs to its window.
template <typename Control>
class OwnedListControl : public Control {
  protected:
    void PostNcDestroy() override {
        Control::PostNcDestroy();
        delete this;
    }
};

template <typename Control>
ControlFactory::Creator ListKind() {
    return [](const DialogItem& item, const CRect& rect, CWnd* parent) -> CWnd* {
        auto* control = new OwnedListControl<Control>;
        if (!control->CreateEx(item.exStyle, item.className, item.text, item.style, rect, parent, item.id)) {
            delete control;
            return nullptr;
        }
        return control;
    };
}

void AddInitialStrings(CWnd* control, const std::vector<CString>& strings) {
    if (auto* combo = dynamic_cast<CComboBox*>(control))
        for (const CString& text : strings) combo->AddString(text);
    if (auto* list = dynamic_cast<CListBox*>(control))
        for (const CString& text : strings) list->AddString(text);
}

std::string Key(const char* className) {
    std::string key = className ? className : "";
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

template <typename Control>
CWnd* Make(const DialogItem& item, const CRect& rect, CWnd* parent, DWORD style, DWORD exStyle) {
    auto* control = new Control;
    control->SetAutoDelete(true);
    if (!control->CreateEx(exStyle, item.className, item.text, style, rect, parent, item.id)) {
        delete control;
        return nullptr;
    }
    control->PreSubclassWindow();
    return control;
}

template <typename Control>
ControlFactory::Creator Plain() {
    return [](const DialogItem& item, const CRect& rect, CWnd* parent) {
        return Make<Control>(item, rect, parent, item.style, item.exStyle);
    };
}

// A bordered edit in a dialog gets the sunken 3D edge instead of the flat line.
CWnd* MakeEdit(const DialogItem& item, const CRect& rect, CWnd* parent) {
    DWORD style = item.style;
    DWORD exStyle = item.exStyle;
    if (style & WS_BORDER) {
        style &= ~WS_BORDER;
        exStyle |= WS_EX_CLIENTEDGE;
    }
    return Make<CEdit>(item, rect, parent, style, exStyle);
}

std::map<std::string, ControlFactory::Creator>& Creators() {
    static std::map<std::string, ControlFactory::Creator> creators{
        {Key(WC_BUTTON), Plain<CButton>()},
        {Key(WC_STATIC), Plain<CStatic>()},
        {Key(WC_EDIT), MakeEdit},
        {Key(WC_SCROLLBAR), Plain<CScrollBar>()},
        {Key(WC_TABCONTROL), Plain<CTabCtrl>()},
        {Key(UPDOWN_CLASS), Plain<CSpinButtonCtrl>()},
        {Key(TRACKBAR_CLASS), Plain<CSliderCtrl>()},
        {Key(WC_COMBOBOX), ListKind<CComboBox>()},
        {Key(WC_LISTBOX), ListKind<CListBox>()},
        {Key(WC_LISTVIEW), ListKind<CListCtrl>()},
        {Key(WC_TREEVIEW), ListKind<CTreeCtrl>()},
    };
    return creators;
}

CRect RectInParent(CWnd* window, CWnd* parent) {
    CRect rect;
    window->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

// A combo box's window is only its field; the control made in its place keeps the list height.
CRect SubclassRect(CWnd* window, CWnd* parent) {
    CRect rect = RectInParent(window, parent);
    if (auto* combo = dynamic_cast<CComboBox*>(window)) {
        CRect dropped;
        combo->GetDroppedControlRect(&dropped);
        rect.bottom += dropped.Height();
    }
    return rect;
}
}  // namespace

namespace ControlFactory {

void RegisterClass(const char* className, Creator creator) {
    Creators()[Key(className)] = std::move(creator);
}

CWnd* Create(const DialogItem& item, const CRect& rect, CWnd* parent) {
    const auto found = Creators().find(Key(item.className));
    if (found == Creators().end())
        return nullptr;
    CWnd* control = found->second(item, rect, parent);
    if (control)
        AddInitialStrings(control, item.initStrings);
    return control;
}

BOOL Subclass(CWnd& control, UINT id, CWnd* parent) {
    CWnd* old = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (!old || old == &control)
        return old ? TRUE : FALSE;
    CString text;
    old->GetWindowText(text);
    const DWORD style = old->GetStyle() | (old->IsWindowVisible() ? WS_VISIBLE : 0);
    const DWORD exStyle = old->GetExStyle();
    const CRect rect = SubclassRect(old, parent);
    const LRESULT font = old->SendMessage(WM_GETFONT);
    const LRESULT check = old->SendMessage(BM_GETCHECK);
    const bool hadFocus = CWnd::GetFocus() == old;
    std::vector<CWnd*> above;
    const auto& siblings = parent->Children();
    above.assign(std::find(siblings.begin(), siblings.end(), old) + 1, siblings.end());
    old->DestroyWindow();
    if (!control.CreateEx(exStyle, nullptr, text, style, rect, parent, id))
        return FALSE;
    if (font)
        control.SendMessage(WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    if (check)
        control.SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
    if (auto* known = dynamic_cast<CControlWnd*>(&control))
        known->PreSubclassWindow();
    for (CWnd* sibling : above) sibling->BringWindowToTop();
    if (hadFocus)
        control.SetFocus();
    return TRUE;
}

}  // namespace ControlFactory
