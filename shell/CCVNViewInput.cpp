#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CTerrainSurface.h"
#include "model/ObjectFactory.h"
#include "platform/win/CMenu.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/ProgramMenus.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"

// The view owns no editing logic: each event goes to the engine with this view's zoom, and
// what the engine marked dirty is repainted.

namespace {

constexpr int kMultiPointEntry = 2;
constexpr UINT kArrowCursor = 308;
constexpr UINT kMoveCursor = 373;
constexpr UINT kRotateCursor = 335;
constexpr UINT kHandleCursor = 374;
constexpr UINT kTrackEndCursor = 378;
constexpr UINT kParallelCursor = 464;
constexpr UINT kParallelTrackCursor = 451;
constexpr int kGroupResizeHandle = 3;
constexpr int kContextMenuInset = 5;

// The cursor of each tool mode, 0 where the arrow stands.
constexpr std::array<UINT, kToolCount> kModeCursors = {
    308, 335, 311, 308, 322, 521, 336, 316, 515, 517, 518, 513, 519, 520, 516, 522, 523, 318, 319, 321,
    339, 339, 339, 339, 320, 338, 308, 461, 308, 337, 314, 315, 379, 379, 463, 463, 462, 308, 308, 524};

bool IsTrackPiece(CPaint* object) {
    return IsTrackPieceClass(object->GetRuntimeClass()->m_lpszClassName);
}

// A selected terrain with p inside its outline and one of its knots near p on the screen.
bool IsKnotOfSelectedTerrain(CPaint* member, const CPose& pose, double x, double y) {
    if (CString(member->GetRuntimeClass()->m_lpszClassName) != "CMount" || !member->IsSelected())
        return false;
    auto* terrain = dynamic_cast<CTerrainSurface*>(member);
    if (terrain == nullptr)
        return false;
    const CDoublePoint local = member->WorldToLocalInFrame(pose, x, y);
    return terrain->PtInOutline(local.x, local.y) && terrain->IsNearKnot(&pose, x, y);
}

}  // namespace

void CCVNView::OnLButtonDown(UINT flags, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (Tool().m_nMultiPoint == kMultiPointEntry && !client.PtInRect(point)) {
        PassOnPressEndingEntry(point);
        return;
    }
    if (Tool().m_nMultiPoint == kMultiPointEntry)
        TakeOverPointEntry(flags, point);
    const CPoint logical = ToLogical(point);
    TellEngineZoom();
    if (GetCapture() != this)
        SetCapture();
    Tool().OnLButtonDown(flags, logical.x, logical.y);
    if (Tool().m_fZoomNumerator != m_fZoom)
        AdoptEngineZoom(logical);
    else
        RepaintDirty();
    RefreshStatusPanes();
}

void CCVNView::OnLButtonUp(UINT flags, CPoint point) {
    CancelAutoScroll();
    const CPoint logical = ToLogical(point);
    CTool& tool = Tool();
    if (tool.m_nMultiPoint != kMultiPointEntry && GetCapture() == this)
        ReleaseCapture();
    TellEngineZoom();
    tool.OnLButtonUp(flags, logical.x, logical.y);
    CScrollView::OnLButtonUp(flags, point);
    if (tool.m_bRedraw)
        RepaintDirty();
    tool.UpdateStatus();
}

void CCVNView::OnCancelMode() {
    WindowManager& manager = WindowManager::Instance();
    if (manager.GetCapture() == this && Tool().m_bButtonDown != 0) {
        CPoint point = manager.CursorPos();
        ScreenToClient(&point);
        SendMessage(WM_LBUTTONUP, manager.MouseFlags() & ~MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    // A point entry goes on: the mouse is only lent to whatever comes, and taken back later.
    if (manager.GetCapture() == this && Tool().m_nMultiPoint == kMultiPointEntry) {
        m_bEntryMouseLent = true;
        GiveBackPointEntryMouse();
    }
    CScrollView::OnCancelMode();
}

void CCVNView::TakeBackPointEntryMouse() {
    if (!m_bEntryMouseLent)
        return;
    if (Tool().m_nMultiPoint != kMultiPointEntry || m_bEntryEndPending) {
        m_bEntryMouseLent = false;
        return;
    }
    if (GetCapture() != nullptr || GetTopLevelParent() != WindowManager::Instance().GetActiveWindow())
        return;
    m_bEntryMouseLent = false;
    SetCapture();
}

void CCVNView::OnLButtonDblClk(UINT flags, CPoint point) {
    const CPoint logical = ToLogical(point);
    CTool& tool = Tool();
    if (tool.m_nMultiPoint == kMultiPointEntry && GetCapture() == this)
        ReleaseCapture();
    TellEngineZoom();
    tool.OnLButtonDblClk(flags, logical.x, logical.y);
    CScrollView::OnLButtonDblClk(flags, point);
    RepaintDirty();
}

void CCVNView::OnRButtonDown(UINT flags, CPoint point) {
    if (Tool().m_nMultiPoint == kMultiPointEntry) {
        EndPointEntryWithRightButton(flags, point);
        return;
    }
    if (GetCapture() == this)
        return;
    const CPoint logical = ToLogical(point);
    TellEngineZoom();
    Tool().OnRButtonDown(flags, logical.x, logical.y);
    if (Tool().m_bRedraw)
        RepaintDirty();
    CPoint screen = point;
    ClientToScreen(&screen);
    m_bRightPressHandled = true;
    ShowContextMenu(screen);
    if (GetCapture() != nullptr)
        ReleaseCapture();
}

void CCVNView::OnRButtonUp(UINT flags, CPoint point) {
    if (m_bRightPressHandled) {
        m_bRightPressHandled = false;
        return;
    }
    CScrollView::OnRButtonUp(flags, point);
}

void CCVNView::OnMouseMove(UINT flags, CPoint point) {
    const bool captured = GetCapture() == this;
    CClientDC dc(this);
    OnPrepareDC(&dc);
    CPoint logical = point;
    dc.DPtoLP(&logical);
    CTool& tool = Tool();
    TellEngineZoom();
    tool.OnMouseMove(flags, logical.x, logical.y, captured ? 1 : 0);
    RefreshStatusPanes();
    UpdateCursor(logical);
    if ((captured && (flags & MK_LBUTTON) != 0) || tool.m_nMultiPoint == kMultiPointEntry)
        ConsiderAutoScroll(flags, logical, dc);
    ShowMouseOnRulers(logical);
    if (captured || tool.m_nMultiPoint == kMultiPointEntry)
        RepaintDirty();
}

void CCVNView::ShowMouseOnRulers(CPoint logical) {
    CMainFrame* main = MainFrame();
    auto* frame = main != nullptr ? dynamic_cast<CChildFrame*>(main->GetActiveFrame()) : nullptr;
    if (frame == nullptr || frame->GetActiveView() != this)
        return;
    const int dx = logical.x - GetScrollPosition().x;
    frame->TopRuler().ShowMousePosition(dx, logical.y, FALSE);
    frame->LeftRuler().ShowMousePosition(dx, logical.y, FALSE);
}

// The entry holds the mouse: a press on a toolbar, a menu or another window goes where it was
// meant to go, and ends the entry once it is done there. The end may ask something in a
// dialog, which must neither take the press nor find the press's window still holding the
// mouse: a toolbar button then ends the entry through the tool it chooses, a menu through its
// command, or, chosen nothing, the program once idle with the mouse free.
void CCVNView::PassOnPressEndingEntry(CPoint point) {
    GiveBackPointEntryMouse();
    m_bEntryEndPending = true;
    CPoint screen = point;
    ClientToScreen(&screen);
    WindowManager::Instance().MouseInput(WM_LBUTTONDOWN, screen);
}

// Another plan of the layout passed the press on: the entry goes on here, so no plan waits to
// end it. The vertex that follows the mouse was last moved there, in that plan's place: it comes
// to the press before the press adds it.
void CCVNView::TakeOverPointEntry(UINT flags, CPoint point) {
    for (CView* view : GetDocument()->Views())
        if (auto* plan = dynamic_cast<CCVNView*>(view)) {
            plan->m_bEntryEndPending = false;
            plan->m_bEntryMouseLent = false;
        }
    if (GetCapture() == this)
        return;
    SetCapture();
    OnMouseMove(flags, point);
}

void CCVNView::EndPendingPointEntry() {
    if (!m_bEntryEndPending || GetCapture() != nullptr)
        return;
    EndPointEntry();
}

void CCVNView::EndPointEntry() {
    m_bEntryEndPending = false;
    CTool& tool = Tool();
    // A command that comes while the end's own dialog is up finds the entry ending already.
    if (tool.m_nMultiPoint == 0 || m_bEndingEntry)
        return;
    // Cleared however the end leaves, so that a failure in its dialog cannot block every later end.
    struct EndingMark {
        bool& ending;
        ~EndingMark() { ending = false; }
    } mark{m_bEndingEntry};
    m_bEndingEntry = true;
    GiveBackPointEntryMouse();
    tool.EndPointEntry();
    RepaintDirty();
    RefreshStatusPanes();
}

// The engine ends the entry at the right button; no menu comes up for the press.
void CCVNView::EndPointEntryWithRightButton(UINT flags, CPoint point) {
    m_bRightPressHandled = true;
    GiveBackPointEntryMouse();
    const CPoint logical = ToLogical(point);
    TellEngineZoom();
    Tool().OnRButtonDown(flags, logical.x, logical.y);
    RepaintDirty();
    RefreshStatusPanes();
}

// Before the entry ends, since its end may ask something in a box that needs the mouse.
void CCVNView::GiveBackPointEntryMouse() {
    CancelAutoScroll();
    if (GetCapture() == this)
        ReleaseCapture();
}

void CCVNView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_ESCAPE && Tool().m_nMultiPoint != 0) {
        EndPointEntry();
        return;
    }
    CScrollView::OnKeyDown(key, repeat, flags);
}

void CCVNView::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    CScrollView::OnKeyUp(key, repeat, flags);
    if (Tool().OnKeyUp(key))
        RepaintDirty();
}

BOOL CCVNView::PreTranslateMessage(MSG* msg) {
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    const bool shiftF10 = msg->wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (keyDown && (shiftF10 || msg->wParam == VK_APPS)) {
        CPoint corner(kContextMenuInset, kContextMenuInset);
        ClientToScreen(&corner);
        ShowContextMenu(corner);
        return TRUE;
    }
    return CScrollView::PreTranslateMessage(msg);
}

void CCVNView::OnContextMenu(CWnd*, CPoint point) {
    if (GetCapture() == this)
        return;
    ShowContextMenu(point);
}

void CCVNView::ShowContextMenu(CPoint screen) {
    std::unique_ptr<CMenu> menu = LoadMenuResource(IDR_CONTEXT_MENU);
    CMenu* popup = menu != nullptr ? menu->GetSubMenu(0) : nullptr;
    if (popup == nullptr)
        return;
    CWnd* owner = this;
    while (owner->GetParent() != nullptr && (owner->GetStyle() & WS_CHILD) != 0) owner = owner->GetParent();
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}

// ---- Autoscroll ----

void CCVNView::ConsiderAutoScroll(UINT flags, CPoint logical, CDC& dc) {
    const CRect client = LogicalClientRect(dc, false);
    const bool inside = client.left <= logical.x && logical.x <= client.right && client.bottom <= logical.y &&
                        logical.y <= client.top;
    if (inside) {
        CancelAutoScroll();
        return;
    }
    if (m_bDragBackground)
        return;
    const CPoint s = GetScrollPosition();
    CPoint t = s;
    const CSize page = PageExtent();
    const int width = client.Width();
    const int height = client.top - client.bottom;
    if (logical.x < client.left && s.x > 0)
        t.x = std::max(0, static_cast<int>(logical.x));
    if (logical.y > client.top && s.y < 0)
        t.y = std::min(0, static_cast<int>(logical.y));
    if (logical.x > s.x + width && s.x + width < page.cx) {
        t.x = logical.x - width;
        if (t.x + width > page.cx)
            t.x = page.cx - width;
    }
    if (logical.y < s.y - height && std::abs(s.y - height) < page.cy) {
        t.y = logical.y + height;
        if (std::abs(t.y - height) > page.cy)
            t.y = height - page.cy;
    }
    m_autoScrollStep = CSize(s.x - t.x, s.y - t.y);
    CPoint device = logical;
    dc.LPtoDP(&device);
    m_ptLastMouse = device;
    if ((m_autoScrollStep.cx != 0 || m_autoScrollStep.cy != 0) && m_nAutoScrollTimer == 0) {
        m_nAutoScrollTimer = SetTimer(kAutoScrollTimerId, kAutoScrollPeriod);
        SetScrollPositionQuiet(CPoint(s.x - m_autoScrollStep.cx, s.y - m_autoScrollStep.cy));
        m_nSavedFlags = flags;
        BeginAutoScroll();
    }
}

void CCVNView::CancelAutoScroll() {
    if (m_nAutoScrollTimer == 0)
        return;
    StopAutoScrollTimer();
    EndAutoScroll();
}

void CCVNView::StopAutoScrollTimer() {
    if (m_nAutoScrollTimer == 0)
        return;
    KillTimer(m_nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
}

void CCVNView::BeginAutoScroll() {
    m_bDragBackground = 1;
    AutoScrollRepaint(nullptr);
}

void CCVNView::EndAutoScroll() {
    InvalidateAll();
}

void CCVNView::OnTimer(UINT_PTR id) {
    CScrollView::OnTimer(id);
    const CPoint s = GetScrollPosition();
    SetScrollPositionQuiet(CPoint(s.x - m_autoScrollStep.cx, s.y - m_autoScrollStep.cy));
    CPoint point = m_ptLastMouse;
    AutoScrollRepaint(&point);
    TellEngineZoom();
    Tool().OnMouseMove(m_nSavedFlags, point.x, point.y, 1);
}

void CCVNView::AutoScrollRepaint(CPoint* devicePoint) {
    CClientDC dc(this);
    OnPrepareDC(&dc);
    if (devicePoint != nullptr)
        dc.DPtoLP(devicePoint);
    OnPrepareDC(&m_overlayDC);
    CRect strip = ScrollRepair(m_overlayDC, dc, false);
    CRect now = LogicalClientRect(dc, true);
    CTool& tool = Tool();
    const DeviceRect dirty = tool.DirtyAreaInView();
    CRect update(dirty.left, dirty.top, dirty.right, dirty.bottom);
    update.IntersectRect(&update, &now);
    SetUpdateRect(update);
    tool.SetTargetDC(&m_overlayDC, &m_overlayDC);
    std::vector<CPaint*> uncovered;
    CollectObjectsInRect(strip, uncovered);
    // The grid goes under the objects, as in a full repaint.
    if (GetDocument()->m_bGridShown && !strip.IsRectNull())
        DrawGrid(&m_overlayDC, strip.left, strip.top, strip.right, strip.bottom, GetDocument()->m_nGridWidth,
                 GetDocument()->m_nGridHeight);
    if (!uncovered.empty())
        DrawObjectList(uncovered);
    DrawOverlayByDragState(false);
    SetUpdateRect(now);
    tool.DrawSelection();
    CopyArea(dc, m_overlayDC, now);
    tool.SetTargetDC(nullptr, nullptr);
}

void CCVNView::CollectObjectsInRect(const CRect& rect, std::vector<CPaint*>& list) {
    for (CPaint* member : GetDocument()->m_rootGroup.m_members)
        if (member->HitTestRect(rect.left, rect.top, rect.right, rect.bottom)) {
            member->Invalidate();
            list.push_back(member);
        }
}

void CCVNView::DrawObjectList(const std::vector<CPaint*>& list) {
    for (CPaint* member : list) member->Draw(&member->m_parentPose);
}

// ---- Cursor ----

void CCVNView::UpdateCursor(CPoint logical) {
    const bool captured = GetCapture() == this;
    const int mode = Tool().m_toolMode;
    const bool follows =
        mode == kToolConnectSpline || mode == kToolConnectCurveStraight || mode == kToolSetTrackElevations;
    if (captured && !follows)
        return;
    const CDoublePoint p = Tool().DeviceToLayout(logical.x, logical.y);
    InstallCursor(CursorForMode(captured, p.x, p.y), captured);
}

UINT CCVNView::CursorForMode(bool captured, double x, double y) {
    CTool& tool = Tool();
    const int mode = tool.m_toolMode;
    if (mode < 0 || mode >= kToolCount)
        return kArrowCursor;
    if (mode == kToolSelector)
        return SelectorCursor(captured, x, y);
    const CPose pose = tool.GetCurrentGroupPose();
    const bool trackTool = mode >= kToolStraightTrack && mode <= kToolSplineTrack;
    const bool connectTool = mode == kToolConnectSpline || mode == kToolConnectCurveStraight;
    if ((trackTool && (tool.m_nSnapMode == 0 || tool.m_nSnapMode == 1)) || connectTool)
        for (CPaint* member : tool.GetCurrentGroup()->m_members) {
            const bool candidate = trackTool || IsTrackPiece(member) ||
                                   CString(member->GetRuntimeClass()->m_lpszClassName) == "CGroup";
            if (candidate && member->HitTestEnd(&pose, x, y, 0) >= 0)
                return kTrackEndCursor;
        }
    return kModeCursors[mode];
}

UINT CCVNView::SelectorCursor(bool captured, double x, double y) {
    CTool& tool = Tool();
    const CPose pose = tool.GetCurrentGroupPose();
    const auto& members = tool.GetCurrentGroup()->m_members;
    // A selected terrain counts as hit on its knots while Ctrl is held, so the knot goes first:
    // the press there grabs the knot, not the terrain.
    const bool ctrl = (tool.m_nMouseFlags & MK_CONTROL) != 0 || (tool.m_keyState[VK_CONTROL] & 0x80) != 0;
    if (ctrl)
        for (CPaint* member : members)
            if (tool.IsLayerVisible(member->m_nLayer) && IsKnotOfSelectedTerrain(member, pose, x, y))
                return kHandleCursor;
    if (!tool.m_bParallelToolActive) {
        if (!tool.m_bChainToolActive)
            for (CPaint* member : members)
                if (member->IsSelected() && tool.IsLayerVisible(member->m_nLayer) &&
                    member->HitTest() != nullptr)
                    return kMoveCursor;
        for (CPaint* member : members) {
            if (!tool.IsLayerVisible(member->m_nLayer))
                continue;
            const int handle = member->HitTestHandle(&pose, x, y);
            if (handle < 0)
                continue;
            if (handle == 0)
                return kRotateCursor;
            const bool group = CString(member->GetRuntimeClass()->m_lpszClassName) == "CGroup";
            return group && handle != kGroupResizeHandle ? kArrowCursor : kHandleCursor;
        }
        // Only the parallel tool changes the cursor from here: without it no member needs its
        // hit test, which is the dearest part of a move.
        return kArrowCursor;
    }
    for (CPaint* member : members)
        if (tool.IsLayerVisible(member->m_nLayer) && member->HitTest() != nullptr)
            return !captured && IsTrackPiece(member) ? kParallelTrackCursor : kParallelCursor;
    return kParallelCursor;
}

void CCVNView::InstallCursor(UINT id, bool captured) {
    if (id == s_nLastCursorId && m_hCursor != nullptr)
        return;
    s_nLastCursorId = id;
    m_hCursor = LoadResourceCursor(id);
    if (m_hCursor == nullptr)
        return;
    SetClassLongPtr(m_hWnd, GCLP_HCURSOR, reinterpret_cast<std::intptr_t>(m_hCursor));
    if (captured)
        ::SetCursor(m_hCursor);
}
