#pragma once

#include <vector>

class CWnd;

// How the keyboard walks a dialog's controls: in creation order, through nested pages (windows
// with WS_EX_CONTROLPARENT) as if their controls were the dialog's own, from tab stop to tab
// stop, and with the arrows inside a group (WS_GROUP starts one).
namespace DialogNavigation {
// The controls under root in tab order, pages flattened (the pages themselves left out).
std::vector<CWnd*> Descendants(CWnd* root);
// The controls of control's group, itself included.
std::vector<CWnd*> GroupOf(CWnd* control);
// The next (or previous) tab stop after from, wrapping; a radio group is entered at its
// checked button. Null when nothing can take the focus.
CWnd* NextTabStop(CWnd* root, CWnd* from, bool previous);
// The next (or previous) enabled, visible control in from's group, wrapping.
CWnd* NextInGroup(CWnd* from, bool previous);
// The first tab stop under root, or null.
CWnd* FirstTabStop(CWnd* root);
// What an access key (Alt and the letter underlined with '&') reaches: the next control after
// from whose own text has it (a button) or whose label has it (the control after a static).
struct AccessKeyTarget {
    CWnd* control = nullptr;
    // Whether the text with the key is the control's own rather than a label's.
    bool ownText = false;
    // Whether another control answers the same key, so a press only moves the focus.
    bool shared = false;
};
AccessKeyTarget FindAccessKey(CWnd* root, CWnd* from, char key);
// Whether a control can take the focus: enabled, not a static, and shown inside its top-level window.
bool CanFocus(const CWnd* control);
}  // namespace DialogNavigation
