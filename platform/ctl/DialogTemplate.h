#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"
#include "platform/win/WinDefs.h"

// One control of a dialog template: its id, window class (WC_BUTTON, WC_EDIT ...), text,
// styles and rectangle in dialog units; combo boxes also list their initial strings.
struct DialogItem {
    DialogItem(UINT id, const char* className, const CString& text, DWORD style, const CRect& rect,
               DWORD exStyle = 0, std::vector<CString> initStrings = {})
        : id(id),
          className(className),
          text(text),
          style(style),
          rect(rect),
          exStyle(exStyle),
          initStrings(std::move(initStrings)) {}

    UINT id = 0;
    const char* className = "";
    CString text;
    DWORD style = 0;
    CRect rect;
    DWORD exStyle = 0;
    std::vector<CString> initStrings;
};

// A dialog as a resource file would describe it: id, caption, styles, size in dialog units,
// the font ("MS Sans Serif" 8 unless said otherwise) and the controls in tab order.
struct DialogTemplate {
    DialogTemplate(UINT id, const CString& caption, DWORD style, const CRect& rect,
                   std::vector<DialogItem> items, const CString& fontFace = "MS Sans Serif",
                   int fontPointSize = 8)
        : id(id),
          caption(caption),
          style(style),
          rect(rect),
          items(std::move(items)),
          fontFace(fontFace),
          fontPointSize(fontPointSize) {}

    UINT id = 0;
    CString caption;
    DWORD style = 0;
    CRect rect;
    std::vector<DialogItem> items;
    CString fontFace;
    int fontPointSize = 8;
};

// Templates are found by id, as the framework finds a dialog resource. A template registered
// again under the same id replaces the earlier one.
void RegisterDialogTemplate(const DialogTemplate& dialog);
const DialogTemplate* FindDialogTemplate(UINT id);
