#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/CDragTreeCtrl.h"
#include "model/CPaint.h"
#include "platform/cdlg/HueSaturationField.h"
#include "platform/cdlg/LuminanceBar.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CHeaderCtrl.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/CTreeCtrl.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/Scene.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/ScrollBarGeometry.h"
#include "shell/CChildFrame.h"
#include "shell/CToolBarEx.h"
#include "terrain/CTerrainEditorDialog.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/app/MouseHolders.h"
#include "view3d/C3DPreviewClump.h"
#include "view3d/C3DView.h"

// A cancel in the middle of whatever a window tracks with the mouse (the desktop giving another
// window the keys, a close request, a dialog) leaves the window at rest: the mouse let go, no
// timer going on, nothing half done, and the moves and the release that follow change nothing.

namespace {
using namespace mouse_holders;

template <class... Values>
std::string Describe(const Values&... values) {
    std::ostringstream text;
    ((text << values << ' '), ...);
    return text.str();
}

std::string DescribeRect(const CRect& rect) {
    return Describe(rect.left, rect.top, rect.right, rect.bottom);
}

std::string DescribePosition(const r3d::Vec3& at) {
    return Describe(at.x, at.y, at.z);
}

// A window holding one of each control that takes the mouse, counting every word they send it.
class ControlBox : public CWnd {
  public:
    bool Build(CWnd* owner) {
        if (!CreateEx(0, nullptr, "Tracking", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VSCROLL | WS_VISIBLE,
                      CRect(60, 60, 760, 560), owner, 0))
            return false;
        SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, 100, 0};
        SetScrollInfo(SB_VERT, &range);
        const DWORD child = WS_CHILD | WS_VISIBLE;
        if (!button.Create("Apply", child | BS_PUSHBUTTON, CRect(10, 10, 110, 40), this, 1) ||
            !edit.Create(child | WS_BORDER | ES_AUTOHSCROLL, CRect(120, 10, 320, 34), this, 2) ||
            !combo.Create(child | CBS_DROPDOWNLIST, CRect(330, 10, 480, 200), this, 3) ||
            !list.Create(child | WS_BORDER | LBS_NOTIFY, CRect(10, 50, 160, 200), this, 4) ||
            !report.Create(child | WS_BORDER | LVS_REPORT, CRect(170, 50, 420, 200), this, 5) ||
            !tree.Create(child | WS_BORDER | TVS_HASLINES, CRect(430, 50, 600, 200), this, 6) ||
            !bar.Create(child | SBS_HORZ, CRect(10, 210, 300, 228), this, 7) ||
            !slider.Create(child, CRect(10, 240, 300, 270), this, 8) ||
            !spin.Create(child, CRect(310, 210, 330, 260), this, 9) ||
            !colours.Create(CRect(340, 210, 540, 330), this, 10) ||
            !shades.Create(CRect(550, 210, 580, 330), this, 13) ||
            !chain.Create(child | WS_BORDER, CRect(10, 280, 200, 420), this, 11) ||
            !preview.Create("", child, CRect(210, 340, 410, 460), this, 12))
            return false;
        edit.SetWindowText("Branch line to the harbour");
        for (const char* item : {"Straight", "Curve", "Turnout", "Crossing", "Buffer"}) {
            combo.AddString(item);
            list.AddString(item);
        }
        // Too many for the dropped list, which then scrolls.
        for (int i = 0; i < 20; ++i) combo.AddString("Flex");
        combo.SetCurSel(0);
        list.SetCurSel(0);
        report.InsertColumn(0, "Part", LVCFMT_LEFT, 120);
        report.InsertColumn(1, "Count", LVCFMT_LEFT, 80);
        for (int i = 0; i < 4; ++i) report.InsertItem(i, "Part");
        tree.InsertItem("Track", tree.InsertItem("Layout"));
        bar.SetScrollRange(0, 100);
        slider.SetRange(0, 100);
        slider.SetPos(50);
        spin.SetRange32(0, 100);
        spin.SetPos(50);
        chain.SetChain({"Category", "Name", "Price"});
        return ShowModelInPreview();
    }
    // Everything that going on with a tracking of its controls or its frame could change.
    std::string State() {
        int start = 0, end = 0;
        edit.GetSel(start, end);
        CRect place;
        GetWindowRect(&place);
        const HlsColor hls = colours.GetHls();
        std::string state =
            Describe(heard, button.GetState(), start, end, combo.GetDroppedState(), combo.GetCurSel(),
                     list.GetCurSel(), FirstColumn().Width(), bar.GetScrollPos(), slider.GetPos(),
                     spin.GetPos32(), hls.hue, hls.saturation, hls.luminosity, shades.GetHls().luminosity,
                     IsWindow(this), IsWindowVisible(), DescribeRect(place));
        for (const CString& key : chain.GetChain()) state += Describe(key.c_str());
        for (const auto& row : model->LocalMatrix().m)
            for (float value : row) state += Describe(value);
        return state;
    }
    CHeaderCtrl& Header() { return *report.GetHeaderCtrl(); }
    CRect FirstColumn() {
        CRect first;
        Header().GetItemRect(0, &first);
        return first;
    }
    CPoint BarThumb() {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        bar.GetScrollInfo(&info);
        CRect client;
        bar.GetClientRect(&client);
        return ScrollBarGeometry(client, false, info).PartRect(ScrollBarGeometry::Thumb).CenterPoint();
    }
    bool AtRest() {
        return (button.GetState() & BST_PUSHED) == 0 && !combo.GetDroppedState() && combo.GetCurSel() == 0 &&
               !combo.DropList().IsWindowVisible() && list.GetCurSel() == 0 && !chain.IsDragging() &&
               IsWindow(this) && IsWindowVisible();
    }

    CButton button;
    CEdit edit;
    CComboBox combo;
    CListBox list;
    CListCtrl report;
    CTreeCtrl tree;
    CScrollBar bar;
    CSliderCtrl slider;
    CSpinButtonCtrl spin;
    HueSaturationField colours;
    LuminanceBar shades;
    CDragTreeCtrl chain;
    C3DPreviewClump preview;
    r3d::Scene scene;
    std::unique_ptr<r3d::Clump> model;
    int heard = 0;
    UINT lastScroll = 0;

  protected:
    BOOL OnCommand(WPARAM, LPARAM) override { return ++heard, TRUE; }
    BOOL OnNotify(WPARAM, LPARAM, LRESULT*) override { return ++heard, TRUE; }
    void OnHScroll(UINT code, UINT, CScrollBar*) override { ++heard, lastScroll = code; }
    void OnVScroll(UINT code, UINT, CScrollBar*) override { ++heard, lastScroll = code; }

  private:
    bool ShowModelInPreview() {
        preview.Attach(&scene,
                       scene.AddLight(std::make_unique<r3d::Light>(r3d::Vec3{1.0f, -1.0f, -1.0f}, 1.0f)));
        r3d::ClumpBuilder builder;
        builder.AddBlock({1.0f, 1.0f, 1.0f});
        model = builder.Finish();
        scene.Add(*model);
        preview.SetModel(model.get());
        if (!preview.CreateCamera())
            return false;
        preview.FrameModel(5.0f, {0.0f, 0.0f, 0.0f});
        return true;
    }
};

// A layout object whose model is a box at the middle of the 3D view's first look; it keeps the
// elevation a lift gives it.
class LiftedStandIn : public CPaint {
  public:
    explicit LiftedStandIn(CTool* tool) : CPaint(FALSE, tool, 0, 0) {
        r3d::ClumpBuilder builder;
        builder.SetTag(kObjectTag);
        builder.AddBlock({0.5f, 0.5f, 0.5f});
        m_hModel = builder.Finish();
        m_hModel->Transform(r3d::Matrix::Translation({0.0f, 1.0f, 0.0f}), r3d::Combine::Replace);
    }
    int ApplyHeightStep(CEditStep*) override { return ++lifts, 1; }

    static constexpr int kObjectTag = 101;
    int lifts = 0;
};

// One kind of window that holds the mouse from a press, one of the mouse holders, where the rows
// of one place come together and each place is entered once: how a person starts its tracking
// (answering the window that then holds the mouse), what its rest needs besides what every window
// there needs, what the person goes on to do after the cancel (the mouse wanders off and lets go
// otherwise), and what going on would change besides what it changes there.
struct Tracking {
    Tracking(const char* name, std::function<CWnd*()> start, std::function<bool()> atRest = {},
             std::function<void()> goOn = {}, std::function<std::string()> state = {})
        : name(name),
          where(WhereOf(name)),
          start(std::move(start)),
          atRest(std::move(atRest)),
          goOn(std::move(goOn)),
          state(std::move(state)) {}

    const char* name;
    Where where;
    std::function<CWnd*()> start;
    std::function<bool()> atRest;
    std::function<void()> goOn;
    std::function<std::string()> state;
};

class CancelledTracking : public LayoutInProgram {
  protected:
    // What the desktop does when another window takes the keys: the active window cancels.
    void CancelAsAnotherWindowTakesTheKeys() {
        heldAtCancel = CWnd::GetCapture();
        cancelled = true;
        WindowManager::Instance().GetActiveWindow()->SendMessage(WM_CANCELMODE);
    }
    static CPoint OnScreen(CWnd* window, CPoint client) {
        window->ClientToScreen(&client);
        return client;
    }
    static CPoint CentreOf(CWnd& window) {
        CRect client;
        window.GetClientRect(&client);
        return client.CenterPoint();
    }
    // Presses on a client point of the window, a key held with the press, and drags by a step.
    CWnd* Hold(CWnd& window, CPoint at, CSize drag = {}, UINT key = 0, bool right = false) {
        host.AdvanceClock(1000);
        host.MouseMove(OnScreen(&window, at));
        if (key != 0)
            host.KeyDown(key);
        host.MouseDown(OnScreen(&window, at), right);
        if (key != 0)
            host.KeyUp(key);
        rightHeld = right;
        if (drag != CSize())
            MoveTo(&window, at + drag);
        return &window;
    }
    // The same on the screen, for what a window's frame tracks: answers the window holding the mouse.
    CWnd* HoldScreen(CPoint at, CSize drag = {}) {
        host.MouseDown(at);
        if (drag != CSize())
            host.MouseMove(at + drag);
        return CWnd::GetCapture();
    }
    void MoveTo(CWnd* window, CPoint client) { host.MouseMove(OnScreen(window, client)); }
    void LetGoAt(CPoint screen) {
        host.MouseMove(screen);
        host.MouseUp(screen);
        host.RunUntilIdle();
    }
    // The mouse goes on about where the tracking was, then far off, where the button comes up.
    void WanderOffAndLetGo() {
        const CPoint at = WindowManager::Instance().CursorPos();
        const CPoint far(40, 900);
        for (const CPoint point : {at + CSize(15, 0), at + CSize(30, 20), at + CSize(-20, 40), far}) {
            host.MouseMove(point);
            host.AdvanceClock(500);
        }
        host.MouseUp(far, rightHeld);
        host.AdvanceClock(2000);
        host.RunUntilIdle();
    }
    void Walk(const Tracking& row) {
        SCOPED_TRACE(row.name);
        ++walked;
        cancelled = false;
        CWnd* holder = row.start();
        ASSERT_NE(holder, nullptr);
        if (!cancelled) {
            ASSERT_EQ(CWnd::GetCapture(), holder);
            CancelAsAnotherWindowTakesTheKeys();
        }
        EXPECT_EQ(heldAtCancel, holder);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        host.RunUntilIdle();
        const std::string rest = StateOf(row);
        row.goOn ? row.goOn() : WanderOffAndLetGo();
        EXPECT_EQ(StateOf(row), rest);
        EXPECT_TRUE(AtRestIn(row.where));
        EXPECT_TRUE(!row.atRest || row.atRest());
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(WindowManager::Instance().KeyboardGrab(), nullptr);
    }
    std::string StateOf(const Tracking& row) { return StateIn(row.where) + (row.state ? row.state() : ""); }
    // What going on with a tracking there could change.
    std::string StateIn(Where where) {
        switch (where) {
            case Where::kControlBox:
                return box.State();
            case Where::kPlan: {
                CRect frame;
                PlanFrame().GetWindowRect(&frame);
                return Describe(Main().IsInContextHelp(), Main().GetHelpWindow() != nullptr,
                                WindowManager::Instance().TopLevels().size(), DescribeRect(frame));
            }
            case Where::k3DView:
                return DescribePosition(view->GetCamera()->Position()) +
                       DescribePosition(view->GetCamera()->Forward()) +
                       Describe(standIn->lifts, DescribePosition(standIn->m_hModel->Bounds().min));
            case Where::kTerrainEditor:
                return Describe(DescribePosition(knots->GetMarker()->Position()), editor->GetSelectedKnot());
        }
        return {};
    }
    bool AtRestIn(Where where) {
        switch (where) {
            case Where::kControlBox:
                return box.AtRest();
            case Where::kPlan:
                return layout->m_tool.m_bButtonDown == 0 && !Pressed(Tools(), ID_TOOL_SELECTOR) &&
                       !IsChecked(ID_TOOL_SELECTOR) && !Main().IsInContextHelp() &&
                       !Tools().GetPalette().IsWindowVisible();
            case Where::k3DView:
                return view->GetDriveMode() == C3DView::kIdle && view->GetDriveTimer() == 0 &&
                       !Pressed(CameraBar(), ID_CAMERA_MOVE_FORWARD);
            case Where::kTerrainEditor:
                return !knots->IsDragging();
        }
        return false;
    }
    // Leaves the place the rows so far walked and makes the next one ready.
    void Enter(Where next) {
        if (current == Where::kControlBox)
            box.DestroyWindow();
        else if (current == Where::k3DView)
            Main().MDIGetActive()->SendMessage(WM_CLOSE);
        host.RunUntilIdle();
        current = next;
        if (next == Where::kControlBox) {
            ASSERT_TRUE(box.Build(&Main()));
            WindowManager::Instance().Activate(&box);
        } else if (next == Where::k3DView) {
            Command(ID_SHOW_3D_VIEW);
            view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
            ASSERT_NE(view, nullptr);
            standIn = new LiftedStandIn(&layout->m_tool);
            layout->m_rootGroup.m_members.push_front(standIn);
            layout->GetScene()->Add(*standIn->m_hModel);
        } else if (next == Where::kTerrainEditor) {
            BeginTerrainOutline();
            ClickRulerKeepingTerrainDefaults();
        }
        host.RunUntilIdle();
    }
    // The terrain editor's preview is walked in its modal dialog.
    void WalkIn(const Tracking& row) {
        if (row.where != Where::kTerrainEditor)
            return Walk(row);
        host.WhenModal("Terrain Editor", [&](CWnd& window) {
            editor = &dynamic_cast<CTerrainEditorDialog&>(window);
            knots = &editor->Preview();
            Walk(row);
            host.ClickClient(editor->GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        Command(ID_TERRAIN_EDITOR);
    }
    // The middle of a part of the window's own vertical scroll bar, on the screen.
    static CPoint ScrollBarPart(CWnd& window, ScrollBarGeometry::Part part) {
        SCROLLINFO info{};
        window.GetScrollInfo(SB_VERT, &info);
        CRect place;
        window.GetWindowRect(&place);
        return ScrollBarGeometry(window.ScrollBarRect(SB_VERT), true, info).PartRect(part).CenterPoint() +
               place.TopLeft();
    }
    CPoint BoxCloseButton() {
        CRect place;
        box.GetWindowRect(&place);
        return NonClientPainter::CaptionButtonRect(box, HTCLOSE).CenterPoint() + place.TopLeft();
    }
    CToolBarEx& Tools() { return Main().GetToolsToolBar(); }
    CToolBarEx& CameraBar() { return Main().GetCameraToolBar(); }
    static CRect SlotOf(CToolBarEx& bar, UINT command) {
        CRect slot;
        bar.GetItemRect(bar.CommandToIndex(command), &slot);
        return slot;
    }
    static bool Pressed(CToolBarEx& bar, UINT command) {
        return (bar.GetButtonStyle(bar.CommandToIndex(command)) & CToolBarEx::kPressed) != 0;
    }
    CChildFrame& PlanFrame() { return *dynamic_cast<CChildFrame*>(plan->GetParentFrame()); }
    // Clicks the terrain tool's outline into the plan, too far apart in time for double clicks.
    void BeginTerrainOutline() {
        Command(ID_TOOL_TERRAIN);
        for (const CPoint point : {CPoint(200, 200), CPoint(400, 200), CPoint(400, 350)}) {
            host.AdvanceClock(1000);
            host.ClickClient(plan, point);
        }
        MoveTo(plan, CPoint(250, 400));
        host.RunUntilIdle();
    }
    // A click on the plan's top ruler; a terrain whose entry it ends keeps its proposed properties.
    void ClickRulerKeepingTerrainDefaults() {
        host.WhenModal("properties",
                       [this](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
        host.AdvanceClock(1000);
        host.ClickClient(&PlanFrame().TopRuler(), CPoint(300, 8));
        host.RunUntilIdle();
    }
    int PointEntry() const { return layout->m_tool.m_nMultiPoint; }
    CWnd* HoldInPlan(UINT tool, CSize drag, CPoint at = CPoint(100, 200)) {
        Command(tool);
        return Hold(*plan, at, drag);
    }
    std::string PlanState() {
        std::string selected;
        for (CPaint* object : layout->m_rootGroup.m_members) selected += Describe(object->IsSelected());
        return Describe(Stored(*layout).size(), layout->m_tool.GetUndoCount(), selected);
    }

    ControlBox box;
    C3DView* view = nullptr;
    LiftedStandIn* standIn = nullptr;
    CTerrainEditorDialog* editor = nullptr;
    CTerrainPreviewWnd* knots = nullptr;
    Where current = Where::kPlan;
    CWnd* heldAtCancel = nullptr;
    bool cancelled = false;
    bool rightHeld = false;
    size_t walked = 0;
};

}  // namespace

TEST_F(CancelledTracking, EveryWindowThatHoldsTheMouseIsAtRestAfterACancel) {
    const std::vector<Tracking> table = {
        {"push button", [&] { return Hold(box.button, CentreOf(box.button)); }, nullptr,
         // Let go over the button itself: no click comes of it.
         [&] { LetGoAt(OnScreen(&box.button, CentreOf(box.button))); }},
        {"edit", [&] { return Hold(box.edit, CPoint(4, 12)); }},
        {"combo box", [&] { return Hold(box.combo, CPoint(140, 10)); }},
        // Dropped by a click, its list's scroll bar pressed: the combo box holds the mouse again.
        {"combo box's list scroll bar",
         [&] {
             Hold(box.combo, CPoint(140, 10));
             LetGoAt(OnScreen(&box.combo, CPoint(140, 10)));
             host.MouseDown(ScrollBarPart(box.combo.DropList(), ScrollBarGeometry::LineDown));
             return &box.combo;
         }},
        {"list box", [&] { return Hold(box.list, CPoint(20, 4)); }, nullptr,
         [&] { LetGoAt(OnScreen(&box.list, CPoint(20, 60))); }},
        {"header divider",
         [&] {
             return Hold(box.Header(), CPoint(box.FirstColumn().right, box.FirstColumn().CenterPoint().y));
         }},
        {"header item", [&] { return Hold(box.Header(), box.FirstColumn().CenterPoint()); }, nullptr,
         [&] { LetGoAt(OnScreen(&box.Header(), box.FirstColumn().CenterPoint())); }},
        {"list view", [&] { return Hold(box.report, CPoint(30, 30)); }},
        {"tree view", [&] { return Hold(box.tree, CPoint(30, 8)); }},
        {"scroll bar arrow", [&] { return Hold(box.bar, CPoint(5, 9)); },
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"scroll bar thumb", [&] { return Hold(box.bar, box.BarThumb(), CSize(40, 0)); },
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"slider thumb",
         [&] {
             CRect thumb;
             box.slider.GetThumbRect(&thumb);
             return Hold(box.slider, thumb.CenterPoint(), CSize(30, 0));
         },
         [&] { return box.lastScroll == TB_ENDTRACK; }},
        {"spin button", [&] { return Hold(box.spin, CPoint(10, 5)); }},
        {"colour field", [&] { return Hold(box.colours, CPoint(20, 20)); }},
        {"luminance bar", [&] { return Hold(box.shades, CPoint(8, 20), CSize(0, 30)); }},
        {"catalogue's sort chain",
         [&] {
             CRect first;
             box.chain.GetItemRect(box.chain.ItemAt(0), &first, TRUE);
             return Hold(box.chain, first.CenterPoint(), CSize(0, 12));
         }},
        {"3D preview", [&] { return Hold(box.preview, CentreOf(box.preview), CSize(10, 0)); }},
        // The box's own menu, the cancel coming while its submenu runs: the menu under it takes no
        // mouse back.
        {"submenu",
         [&] {
             CMenu menu;
             menu.CreatePopupMenu();
             auto track = std::make_unique<CMenu>();
             track->CreatePopupMenu();
             track->AppendMenu(MF_STRING, 1, "Straight");
             menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(track.release()), "Track");
             CWnd* opened = nullptr;
             host.WhenModal("", [&](CWnd&) {
                 host.PressKey(VK_DOWN);
                 host.PressKey(VK_RIGHT);
             });
             host.WhenModal("", [&](CWnd& submenu) {
                 opened = &submenu;
                 CancelAsAnotherWindowTakesTheKeys();
             });
             menu.TrackPopupMenu(TPM_LEFTALIGN, 300, 300, &box);
             return opened;
         }},
        {"window's close button", [&] { return HoldScreen(BoxCloseButton()); }, nullptr,
         [&] { LetGoAt(BoxCloseButton()); }},
        {"window's move",
         [&] {
             CRect place;
             box.GetWindowRect(&place);
             return HoldScreen(CPoint(place.CenterPoint().x, place.top + 8), CSize(20, 20));
         }},
        {"window's scroll arrow", [&] { return HoldScreen(ScrollBarPart(box, ScrollBarGeometry::LineDown)); },
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"window's scroll thumb",
         [&] { return HoldScreen(ScrollBarPart(box, ScrollBarGeometry::Thumb), CSize(0, 30)); },
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"plan drag", [&] { return HoldInPlan(ID_TOOL_LINE, CSize(100, 60)); }, nullptr, nullptr,
         [&] { return PlanState(); }},
        // Over the line the drag before laid: the band selects what it held when the keyboard left. The
        // line tool comes back after, for the rows that press the selector's button.
        {"selection band", [&] { return HoldInPlan(ID_TOOL_SELECTOR, CSize(240, 160), CPoint(60, 120)); },
         nullptr,
         [&] {
             WanderOffAndLetGo();
             Command(ID_TOOL_LINE);
         },
         [&] { return PlanState(); }},
        {"tool bar button", [&] { return Hold(Tools(), SlotOf(Tools(), ID_TOOL_SELECTOR).CenterPoint()); },
         nullptr, [&] { LetGoAt(OnScreen(&Tools(), SlotOf(Tools(), ID_TOOL_SELECTOR).CenterPoint())); },
         [&] {
             return Describe(Tools().GetButtonStyle(Tools().CommandToIndex(ID_TOOL_SELECTOR)),
                             IsChecked(ID_TOOL_SELECTOR));
         }},
        // A press on its arrow opens the palette; no choice of it comes after the cancel.
        {"tool bar's palette",
         [&] {
             const CRect slot = SlotOf(Tools(), ID_TOOL_DIMENSION_LINE);
             return Hold(Tools(), CPoint(slot.right - 4, slot.CenterPoint().y));
         },
         [&] { return Tools().CommandToIndex(ID_TOOL_DIMENSION_LINE) >= 0; }},
        {"context help", [&] { return Command(ID_CONTEXT_HELP), &Main(); }, nullptr,
         [&] {
             host.Click(OnScreen(plan, CPoint(150, 150)));
             host.RunUntilIdle();
         }},
        {"menu",
         [&] {
             CWnd* opened = nullptr;
             host.WhenModal("", [&](CWnd& popup) {
                 opened = &popup;
                 CancelAsAnotherWindowTakesTheKeys();
             });
             CRect place;
             Main().GetWindowRect(&place);
             host.MouseDown(NonClientPainter::MenuBarItemRect(Main(), 0).CenterPoint() + place.TopLeft());
             return opened;
         }},
        {"menu bar held by the keyboard",
         [&] {
             host.PressKey(VK_MENU);
             return CWnd::GetCapture();
         }},
        {"plan's system menu move by keys",
         [&] {
             PlanFrame().SendMessage(WM_SYSCOMMAND, SC_RESTORE);
             host.RunUntilIdle();
             host.WhenModal("", [&](CWnd&) { host.Type("m"); });
             host.KeyDown(VK_MENU);
             host.PressKey(VK_OEM_MINUS);
             host.KeyUp(VK_MENU);
             host.RunUntilIdle();
             return CWnd::GetCapture();
         },
         nullptr,
         [&] {
             host.PressKey(VK_RIGHT);
             host.PressKey(VK_RETURN);
             host.RunUntilIdle();
         }},
        {"3D drive",
         [&] {
             Hold(*view, CentreOf(*view) + CSize(60, -40));
             host.AdvanceClock(100);
             return view;
         }},
        {"3D camera lift", [&] { return Hold(*view, CentreOf(*view), CSize(0, -20), VK_SHIFT); }},
        // The mouse stays on the button while time goes by: the camera takes no further step.
        {"camera tool bar's held button",
         [&] { return Hold(CameraBar(), SlotOf(CameraBar(), ID_CAMERA_MOVE_FORWARD).CenterPoint()); },
         nullptr,
         [&] {
             host.AdvanceClock(1000);
             LetGoAt(OnScreen(&CameraBar(), SlotOf(CameraBar(), ID_CAMERA_MOVE_FORWARD).CenterPoint()));
         }},
        // The lift so far stays, as letting go would leave it.
        {"3D object lift",
         [&] {
             Command(ID_CAMERA_RESET);
             return Hold(*view, CentreOf(*view), CSize(0, -20), 0, true);
         },
         [&] { return standIn->lifts > 0; }},
        // Ctrl and a press on the ball drag the selected knot.
        {"terrain preview",
         [&]() -> CWnd* {
             const auto ball = knots->GetCamera()->ScreenRect(*knots->GetMarker());
             if (!ball.has_value())
                 return nullptr;
             return Hold(*knots, CPoint(ball->x + ball->width / 2, ball->y + ball->height / 2), CSize(0, -30),
                         VK_CONTROL);
         }},
    };
    std::vector<std::string> names;
    for (const Tracking& row : table) {
        if (row.where != current) {
            ASSERT_NO_FATAL_FAILURE(Enter(row.where));
        }
        WalkIn(row);
        names.emplace_back(row.name);
    }
    EXPECT_EQ(walked, table.size());
    // The desktop walks the same holders.
    std::vector<std::string> holders;
    for (const MouseHolder& holder : MouseHolders()) holders.emplace_back(holder.name);
    EXPECT_EQ(names, holders);
}

// A cancel in the middle of a point entry lends its mouse: the entry goes on and takes the
// mouse back once its window is active again, so that a click on the ruler still ends it.
TEST_F(CancelledTracking, APointEntryTakesItsMouseBackAfterACancelAndAClickOnTheRulerEndsIt) {
    const size_t objects = layout->m_rootGroup.m_members.size();
    BeginTerrainOutline();
    ASSERT_EQ(CWnd::GetCapture(), plan);
    CancelAsAnotherWindowTakesTheKeys();
    EXPECT_NE(PointEntry(), 0);
    host.RunUntilIdle();
    EXPECT_EQ(CWnd::GetCapture(), plan);
    ClickRulerKeepingTerrainDefaults();
    EXPECT_EQ(PointEntry(), 0);
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), objects + 1);
}

// A close request ends the entry as Escape does before it asks about the layout, so the question
// is about the outline the person clicked; answered Cancel, the program stays with it finished.
TEST_F(CancelledTracking, ACloseRequestEndsAPointEntryBeforeItAsksAboutTheLayout) {
    const size_t objects = layout->m_rootGroup.m_members.size();
    BeginTerrainOutline();
    host.WhenModal("properties",
                   [this](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
    int entryAtQuestion = -1;
    host.WhenModal("", [&](CWnd& question) {
        entryAtQuestion = PointEntry();
        question.EndModalLoop(IDCANCEL);
    });
    Main().SendMessage(WM_CLOSE);
    ASSERT_TRUE(IsWindow(&Main()));
    EXPECT_EQ(entryAtQuestion, 0);
    host.RunUntilIdle();
    EXPECT_EQ(PointEntry(), 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), objects + 1);
}
