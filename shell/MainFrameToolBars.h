#pragma once

class CComboBox;
class CFrameWnd;
class CToolBarEx;

// The main frame's three toolbars, built into the frame. Each answers 1 when the bar is
// complete and -1 at the first step that fails, leaving the bar as far as it got.
int CreateMainToolBar(CToolBarEx& bar, CFrameWnd* frame, CComboBox*& layerSelector);
int CreateToolsToolBar(CToolBarEx& bar, CFrameWnd* frame);
int CreateCameraToolBar(CToolBarEx& bar, CFrameWnd* frame);
