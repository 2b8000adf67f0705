#pragma once

#include <functional>

#include "platform/gdi/CRect.h"

class CWnd;
struct DialogItem;

// Makes the control a template item names by its window class ("Button", "Edit" ...). The
// basic controls are known; other control families register their class names.
namespace ControlFactory {
// Creates the window for item at rect (pixels, parent's client coordinates), or answers null.
using Creator = std::function<CWnd*(const DialogItem& item, const CRect& rect, CWnd* parent)>;

void RegisterClass(const char* className, Creator creator);
// The control, owned by its window (deleted when destroyed); null for an unknown class.
CWnd* Create(const DialogItem& item, const CRect& rect, CWnd* parent);
// Creates control (an object the caller owns) in place of the window a template made with
// the same id: same place in the tab order, rectangle, styles and text. Answers FALSE when
// there is no such window.
BOOL Subclass(CWnd& control, UINT id, CWnd* parent);
}  // namespace ControlFactory
