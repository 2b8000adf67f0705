#include "platform/ctl/DialogNavigation.h"

#include <algorithm>

#include "platform/ctl/BasicControlDefs.h"
#include "platform/win/CWnd.h"
#include "platform/win/MenuText.h"

namespace {
bool IsContainer(const CWnd* window) {
    return (window->GetExStyle() & WS_EX_CONTROLPARENT) != 0;
}

// A page shown inside a control (a tab control's) follows that control.
void Collect(CWnd* parent, std::vector<CWnd*>& out) {
    for (CWnd* child : parent->Children()) {
        if (IsContainer(child)) {
            Collect(child, out);
            continue;
        }
        out.push_back(child);
        for (CWnd* inner : child->Children())
            if (IsContainer(inner))
                Collect(inner, out);
    }
}

bool IsChecked(CWnd* control) {
    return control->SendMessage(BM_GETCHECK) != 0;
}
bool IsRadio(CWnd* control) {
    return (control->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON) != 0;
}

// Where Tab enters a radio group: its checked button, else its first; null when no button of
// the group is a tab stop or none can take the focus.
CWnd* RadioEntry(CWnd* radio) {
    std::vector<CWnd*> radios = DialogNavigation::GroupOf(radio);
    std::erase_if(radios, [](CWnd* member) { return !IsRadio(member); });
    if (std::none_of(radios.begin(), radios.end(),
                     [](CWnd* member) { return member->GetStyle() & WS_TABSTOP; }))
        return nullptr;
    std::erase_if(radios, [](CWnd* member) { return !DialogNavigation::CanFocus(member); });
    const auto checked = std::find_if(radios.begin(), radios.end(), IsChecked);
    if (checked != radios.end())
        return *checked;
    return radios.empty() ? nullptr : radios.front();
}

// A radio group is one stop, at the button Tab enters it by.
bool IsTabStop(CWnd* control) {
    if (!DialogNavigation::CanFocus(control))
        return false;
    if (IsRadio(control))
        return RadioEntry(control) == control;
    return (control->GetStyle() & WS_TABSTOP) != 0;
}

bool IsStatic(CWnd* control) {
    return (control->SendMessage(WM_GETDLGCODE) & DLGC_STATIC) != 0;
}

// The key in a button's or label's text; edits, lists and labels without prefixes have none.
char AccessKeyOf(CWnd* control) {
    const UINT code = static_cast<UINT>(control->SendMessage(WM_GETDLGCODE));
    if ((code & (DLGC_STATIC | DLGC_BUTTON)) == 0 ||
        (IsStatic(control) && (control->GetStyle() & SS_NOPREFIX)))
        return 0;
    CString text;
    control->GetWindowText(text);
    return MenuText::AccessKey(text);
}

// The control a key found on controls[at] leads to: a label leads to the next control that is no
// label; null when that one cannot take the focus.
CWnd* AccessKeyControl(const std::vector<CWnd*>& controls, std::size_t at) {
    if (!IsStatic(controls[at]))
        return DialogNavigation::CanFocus(controls[at]) ? controls[at] : nullptr;
    for (std::size_t next = at + 1; next < controls.size(); ++next)
        if (!IsStatic(controls[next]))
            return DialogNavigation::CanFocus(controls[next]) ? controls[next] : nullptr;
    return nullptr;
}
}  // namespace

namespace DialogNavigation {

std::vector<CWnd*> Descendants(CWnd* root) {
    std::vector<CWnd*> out;
    if (root)
        Collect(root, out);
    return out;
}

bool CanFocus(const CWnd* control) {
    if (!control || !control->IsWindowEnabled())
        return false;
    // Shown, or shown once the dialog around it is (dialogs lay out their focus before showing).
    for (const CWnd* window = control; window && !window->IsTopLevel(); window = window->GetParent())
        if ((window->GetStyle() & WS_VISIBLE) == 0)
            return false;
    return !(const_cast<CWnd*>(control)->SendMessage(WM_GETDLGCODE) & DLGC_STATIC);
}

std::vector<CWnd*> GroupOf(CWnd* control) {
    CWnd* parent = control ? control->GetParent() : nullptr;
    if (!parent)
        return {control};
    const std::vector<CWnd*>& siblings = parent->Children();
    const auto self = std::find(siblings.begin(), siblings.end(), control);
    if (self == siblings.end())
        return {control};
    auto first = self;
    while (first != siblings.begin() && ((*first)->GetStyle() & WS_GROUP) == 0) --first;
    auto last = self + 1;
    while (last != siblings.end() && ((*last)->GetStyle() & WS_GROUP) == 0) ++last;
    return std::vector<CWnd*>(first, last);
}

CWnd* NextTabStop(CWnd* root, CWnd* from, bool previous) {
    std::vector<CWnd*> controls = Descendants(root);
    if (controls.empty())
        return nullptr;
    if (previous)
        std::reverse(controls.begin(), controls.end());
    const auto at = std::find(controls.begin(), controls.end(), from);
    const std::size_t start =
        at == controls.end() ? controls.size() - 1 : static_cast<std::size_t>(at - controls.begin());
    for (std::size_t step = 1; step <= controls.size(); ++step) {
        CWnd* candidate = controls[(start + step) % controls.size()];
        if (IsTabStop(candidate))
            return candidate;
    }
    return nullptr;
}

AccessKeyTarget FindAccessKey(CWnd* root, CWnd* from, char key) {
    if (key == 0)
        return {};
    const std::vector<CWnd*> controls = Descendants(root);
    const auto at = std::find(controls.begin(), controls.end(), from);
    const std::size_t start = at == controls.end() ? 0 : static_cast<std::size_t>(at - controls.begin()) + 1;
    // In search order: from the control after from, wrapping round.
    std::vector<AccessKeyTarget> found;
    for (std::size_t step = 0; step < controls.size(); ++step) {
        const std::size_t index = (start + step) % controls.size();
        if (AccessKeyOf(controls[index]) != key)
            continue;
        if (CWnd* control = AccessKeyControl(controls, index))
            found.push_back({control, control == controls[index], false});
    }
    if (found.empty())
        return {};
    found.front().shared = found.size() > 1;
    return found.front();
}

CWnd* FirstTabStop(CWnd* root) {
    const std::vector<CWnd*> controls = Descendants(root);
    return controls.empty() ? nullptr : NextTabStop(root, controls.back(), false);
}

CWnd* NextInGroup(CWnd* from, bool previous) {
    std::vector<CWnd*> group = GroupOf(from);
    if (previous)
        std::reverse(group.begin(), group.end());
    const auto at = std::find(group.begin(), group.end(), from);
    const std::size_t start = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step <= group.size(); ++step) {
        CWnd* candidate = group[(start + step) % group.size()];
        if (CanFocus(candidate))
            return candidate;
    }
    return from;
}

}  // namespace DialogNavigation
