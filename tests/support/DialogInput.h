#pragma once

#include "platform/ctl/CTabCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"

// Typing and clicking into dialogs on the headless host, as a person does.
namespace DialogInput {

// Selects all the text of the field that has the focus with Ctrl+A and types over it.
inline void TypeOverAll(HeadlessHost& host, const CString& text) {
    host.KeyDown(VK_CONTROL);
    host.PressKey('A');
    host.KeyUp(VK_CONTROL);
    host.Type(text);
}

// Clicks into the field, then types over all its text.
inline void Retype(HeadlessHost& host, CWnd* field, const CString& text) {
    host.ClickClient(field, CPoint(3, 3));
    TypeOverAll(host, text);
}

// Clicks the middle of a tab of the tab control.
inline void ClickTab(HeadlessHost& host, CWnd* tabControl, int index) {
    auto& tabs = *static_cast<CTabCtrl*>(tabControl);
    CRect item;
    tabs.GetItemRect(index, &item);
    host.ClickClient(&tabs, item.CenterPoint());
}

}  // namespace DialogInput
