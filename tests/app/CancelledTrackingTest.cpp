#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/CDragTreeCtrl.h"
#include "model/CPaint.h"
#include "platform/cdlg/HueSaturationField.h"
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
#include "view3d/C3DPreviewClump.h"
#include "view3d/C3DView.h"

// A cancel in the middle of whatever a window tracks with the mouse (the desktop giving another
// window the keys, a close request, a dialog) leaves the window at rest: the mouse let go, no
// timer going on, nothing half done, and the moves and the release that follow change nothing.

namespace {

// A window holding controls, counting every word they send it.
class ControlBox : public CWnd {
  public:
    int heard = 0;
    UINT lastScroll = 0;

  protected:
    BOOL OnCommand(WPARAM, LPARAM) override {
        ++heard;
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM, LRESULT*) override {
        ++heard;
        return TRUE;
    }
    void OnHScroll(UINT code, UINT, CScrollBar*) override { Heard(code); }
    void OnVScroll(UINT code, UINT, CScrollBar*) override { Heard(code); }

  private:
    void Heard(UINT code) {
        ++heard;
        lastScroll = code;
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
    int ApplyHeightStep(CEditStep*) override {
        ++lifts;
        return 1;
    }

    static constexpr int kObjectTag = 101;
    int lifts = 0;
};

// One kind of window that holds the mouse from a press: how a person starts its tracking, what
// going on with it would change, and what else its rest needs.
struct Tracking {
    const char* name;
    // Starts the tracking and answers the window that then holds the mouse.
    std::function<CWnd*()> start;
    std::function<std::string()> state;
    std::function<bool()> atRest = [] { return true; };
    // What the person goes on to do after the cancel; the mouse wanders off and lets go otherwise.
    std::function<void()> goOn = {};
};

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

class CancelledTracking : public LayoutInProgram {
  protected:
    // What the desktop does when another window takes the keys: the active window cancels.
    void CancelAsAnotherWindowTakesTheKeys() {
        heldAtCancel = CWnd::GetCapture();
        cancelled = true;
        WindowManager::Instance().GetActiveWindow()->SendMessage(WM_CANCELMODE);
    }
    CPoint OnScreen(CWnd* window, CPoint client) {
        window->ClientToScreen(&client);
        return client;
    }
    void PressAt(CWnd* window, CPoint client, bool right = false) {
        host.AdvanceClock(1000);
        host.MouseMove(OnScreen(window, client));
        host.MouseDown(OnScreen(window, client), right);
    }
    void MoveTo(CWnd* window, CPoint client) { host.MouseMove(OnScreen(window, client)); }
    // The mouse goes on about where the tracking was, then far off, where the button comes up.
    void WanderOffAndLetGo(bool right) {
        const CPoint at = WindowManager::Instance().CursorPos();
        const CPoint far(40, 900);
        for (const CPoint point : {at + CSize(15, 0), at + CSize(30, 20), at + CSize(-20, 40), far}) {
            host.MouseMove(point);
            host.AdvanceClock(500);
        }
        host.MouseUp(far, right);
        host.AdvanceClock(2000);
        host.RunUntilIdle();
    }
    void Walk(const Tracking& row, bool right = false) {
        SCOPED_TRACE(row.name);
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
        const std::string rest = row.state();
        if (row.goOn)
            row.goOn();
        else
            WanderOffAndLetGo(right);
        EXPECT_EQ(row.state(), rest);
        EXPECT_TRUE(row.atRest());
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(WindowManager::Instance().KeyboardGrab(), nullptr);
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

    CWnd* heldAtCancel = nullptr;
    bool cancelled = false;
};

}  // namespace

TEST_F(CancelledTracking, EveryWindowThatHoldsTheMouseIsAtRestAfterACancel) {
    ControlBox box;
    ASSERT_TRUE(box.CreateEx(0, nullptr, "Tracking",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VSCROLL | WS_VISIBLE,
                             CRect(60, 60, 760, 560), &Main(), 0));
    SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, 100, 0};
    box.SetScrollInfo(SB_VERT, &range);

    CButton button;
    ASSERT_TRUE(
        button.Create("Apply", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &box, 1));
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(120, 10, 320, 34), &box, 2));
    edit.SetWindowText("Branch line to the harbour");
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(330, 10, 480, 200), &box, 3));
    CListBox list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 50, 160, 200), &box, 4));
    for (const char* item : {"Straight", "Curve", "Turnout", "Crossing", "Buffer"}) {
        combo.AddString(item);
        list.AddString(item);
    }
    combo.SetCurSel(0);
    list.SetCurSel(0);
    CListCtrl rows;
    ASSERT_TRUE(
        rows.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(170, 50, 420, 200), &box, 5));
    rows.InsertColumn(0, "Part", LVCFMT_LEFT, 120);
    rows.InsertColumn(1, "Count", LVCFMT_LEFT, 80);
    for (int i = 0; i < 4; ++i) rows.InsertItem(i, "Part");
    CHeaderCtrl& header = *rows.GetHeaderCtrl();
    CTreeCtrl tree;
    ASSERT_TRUE(
        tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES, CRect(430, 50, 600, 200), &box, 6));
    const HTREEITEM root = tree.InsertItem("Layout");
    tree.InsertItem("Track", root);
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(10, 210, 300, 228), &box, 7));
    bar.SetScrollRange(0, 100);
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(10, 240, 300, 270), &box, 8));
    slider.SetRange(0, 100);
    slider.SetPos(50);
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(310, 210, 330, 260), &box, 9));
    spin.SetRange32(0, 100);
    spin.SetPos(50);
    HueSaturationField colours;
    ASSERT_TRUE(colours.Create(CRect(340, 210, 540, 330), &box, 10));
    CDragTreeCtrl chain;
    ASSERT_TRUE(chain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 280, 200, 420), &box, 11));
    chain.SetChain({"Category", "Name", "Price"});
    C3DPreviewClump preview;
    ASSERT_TRUE(preview.Create("", WS_CHILD | WS_VISIBLE, CRect(210, 340, 410, 460), &box, 12));
    r3d::Scene scene;
    preview.Attach(&scene, scene.AddLight(std::make_unique<r3d::Light>(r3d::Vec3{1.0f, -1.0f, -1.0f}, 1.0f)));
    r3d::ClumpBuilder builder;
    builder.AddBlock({1.0f, 1.0f, 1.0f});
    std::unique_ptr<r3d::Clump> model = builder.Finish();
    scene.Add(*model);
    preview.SetModel(model.get());
    ASSERT_TRUE(preview.CreateCamera());
    preview.FrameModel(5.0f, {0.0f, 0.0f, 0.0f});
    WindowManager::Instance().Activate(&box);
    host.RunUntilIdle();

    const auto centreOf = [](CWnd& window) {
        CRect client;
        window.GetClientRect(&client);
        return client.CenterPoint();
    };
    const auto heard = [&] { return Describe(box.heard); };
    const auto boxScrollBar = [&](ScrollBarGeometry::Part part) {
        SCROLLINFO info{};
        box.GetScrollInfo(SB_VERT, &info);
        CRect window;
        box.GetWindowRect(&window);
        return ScrollBarGeometry(box.ScrollBarRect(SB_VERT), true, info).PartRect(part).CenterPoint() +
               window.TopLeft();
    };
    const auto captionPoint = [&](CWnd& window, UINT hit) {
        CRect place;
        window.GetWindowRect(&place);
        return NonClientPainter::CaptionButtonRect(window, hit).CenterPoint() + place.TopLeft();
    };

    const std::vector<Tracking> controls = {
        {"push button", [&] { return PressAt(&button, centreOf(button)), &button; },
         [&] { return Describe(button.GetState(), box.heard); },
         [&] { return (button.GetState() & BST_PUSHED) == 0; },
         // Let go over the button itself: no click comes of it.
         [&] { host.MouseUp(OnScreen(&button, centreOf(button))), host.RunUntilIdle(); }},
        {"edit", [&] { return PressAt(&edit, CPoint(4, 12)), &edit; },
         [&] {
             int start = 0, end = 0;
             edit.GetSel(start, end);
             return Describe(start, end);
         }},
        {"combo box", [&] { return PressAt(&combo, CPoint(140, 10)), &combo; },
         [&] { return Describe(combo.GetDroppedState(), combo.GetCurSel(), box.heard); },
         [&] {
             return !combo.GetDroppedState() && combo.GetCurSel() == 0 && !combo.DropList().IsWindowVisible();
         }},
        {"list box", [&] { return PressAt(&list, CPoint(20, 4)), &list; },
         [&] { return Describe(list.GetCurSel(), box.heard); }, [&] { return list.GetCurSel() == 0; },
         [&] {
             MoveTo(&list, CPoint(20, 60)), host.MouseUp(OnScreen(&list, CPoint(20, 60))),
                 host.RunUntilIdle();
         }},
        {"header divider",
         [&] {
             CRect first;
             header.GetItemRect(0, &first);
             PressAt(&header, CPoint(first.right, first.CenterPoint().y));
             return &header;
         },
         [&] {
             CRect first;
             header.GetItemRect(0, &first);
             return Describe(first.Width(), box.heard);
         }},
        {"list view", [&] { return PressAt(&rows, CPoint(30, 30)), &rows; }, heard},
        {"tree view", [&] { return PressAt(&tree, CPoint(30, 8)), &tree; }, heard},
        {"scroll bar arrow", [&] { return PressAt(&bar, CPoint(5, 9)), &bar; }, heard,
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"slider thumb",
         [&] {
             CRect thumb;
             slider.GetThumbRect(&thumb);
             PressAt(&slider, thumb.CenterPoint());
             MoveTo(&slider, thumb.CenterPoint() + CSize(30, 0));
             return &slider;
         },
         [&] { return Describe(slider.GetPos(), box.heard); }, [&] { return box.lastScroll == TB_ENDTRACK; }},
        {"spin button", [&] { return PressAt(&spin, CPoint(10, 5)), &spin; },
         [&] { return Describe(spin.GetPos32(), box.heard); }},
        {"colour field", [&] { return PressAt(&colours, CPoint(20, 20)), &colours; },
         [&] {
             const HlsColor hls = colours.GetHls();
             return Describe(hls.hue, hls.saturation, hls.luminosity, box.heard);
         }},
        {"catalogue's sort chain",
         [&] {
             CRect first;
             chain.GetItemRect(chain.ItemAt(0), &first, TRUE);
             PressAt(&chain, first.CenterPoint());
             MoveTo(&chain, first.CenterPoint() + CSize(0, 12));
             return &chain;
         },
         [&] {
             std::string order;
             for (const CString& key : chain.GetChain()) order += Describe(key.c_str());
             return order;
         },
         [&] { return !chain.IsDragging(); }},
        {"3D preview",
         [&] {
             PressAt(&preview, centreOf(preview));
             MoveTo(&preview, centreOf(preview) + CSize(10, 0));
             return &preview;
         },
         [&] {
             const r3d::Matrix turned = model->LocalMatrix();
             std::string matrix;
             for (const auto& row : turned.m)
                 for (float value : row) matrix += Describe(value);
             return matrix;
         }},
        {"window's close button",
         [&] { return host.MouseDown(captionPoint(box, HTCLOSE)), CWnd::GetCapture(); },
         [&] { return Describe(IsWindow(&box), box.IsWindowVisible()); },
         [&] { return IsWindow(&box) && box.IsWindowVisible(); },
         [&] { host.MouseUp(captionPoint(box, HTCLOSE)), host.RunUntilIdle(); }},
        {"window's move",
         [&] {
             CRect place;
             box.GetWindowRect(&place);
             host.MouseDown(CPoint(place.CenterPoint().x, place.top + 8));
             host.MouseMove(CPoint(place.CenterPoint().x + 20, place.top + 28));
             return CWnd::GetCapture();
         },
         [&] {
             CRect place;
             box.GetWindowRect(&place);
             return DescribeRect(place);
         }},
        {"window's scroll arrow",
         [&] { return host.MouseDown(boxScrollBar(ScrollBarGeometry::LineDown)), CWnd::GetCapture(); }, heard,
         [&] { return box.lastScroll == SB_ENDSCROLL; }},
        {"window's scroll thumb",
         [&] {
             const CPoint thumb = boxScrollBar(ScrollBarGeometry::Thumb);
             host.MouseDown(thumb);
             host.MouseMove(thumb + CSize(0, 30));
             return CWnd::GetCapture();
         },
         heard, [&] { return box.lastScroll == SB_ENDSCROLL; }},
    };
    for (const Tracking& row : controls) Walk(row);
    box.DestroyWindow();
    host.RunUntilIdle();

    CToolBarEx& tools = Main().GetToolsToolBar();
    const int selector = tools.CommandToIndex(ID_TOOL_SELECTOR);
    const std::vector<Tracking> program = {
        {"plan drag",
         [&] {
             Command(ID_TOOL_LINE);
             PressAt(plan, CPoint(100, 200));
             MoveTo(plan, CPoint(200, 260));
             return plan;
         },
         [&] { return Describe(Stored(*layout).size(), layout->m_tool.GetUndoCount()); },
         [&] { return layout->m_tool.m_bButtonDown == 0; }},
        {"tool bar button",
         [&] {
             CRect slot;
             tools.GetItemRect(selector, &slot);
             PressAt(&tools, slot.CenterPoint());
             return &tools;
         },
         [&] { return Describe(tools.GetButtonStyle(selector), IsChecked(ID_TOOL_SELECTOR)); },
         [&] {
             return (tools.GetButtonStyle(selector) & CToolBarEx::kPressed) == 0 &&
                    !IsChecked(ID_TOOL_SELECTOR);
         },
         [&] {
             CRect slot;
             tools.GetItemRect(selector, &slot);
             host.MouseUp(OnScreen(&tools, slot.CenterPoint()));
             host.RunUntilIdle();
         }},
        {"context help", [&] { return Command(ID_CONTEXT_HELP), &Main(); },
         [&] { return Describe(Main().IsInContextHelp(), Main().GetHelpWindow() != nullptr); },
         [&] { return !Main().IsInContextHelp(); },
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
         },
         [&] { return Describe(WindowManager::Instance().TopLevels().size()); }},
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
         [&] {
             CRect place;
             PlanFrame().GetWindowRect(&place);
             return DescribeRect(place);
         },
         [] { return true; },
         [&] {
             host.PressKey(VK_RIGHT);
             host.PressKey(VK_RETURN);
             host.RunUntilIdle();
         }},
    };
    for (const Tracking& row : program) Walk(row);

    Command(ID_SHOW_3D_VIEW);
    auto* view = dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    auto* standIn = new LiftedStandIn(&layout->m_tool);
    layout->m_rootGroup.m_members.push_front(standIn);
    layout->GetScene()->Add(*standIn->m_hModel);
    const auto camera = [&] {
        return DescribePosition(view->GetCamera()->Position()) +
               DescribePosition(view->GetCamera()->Forward());
    };
    const auto atRest3D = [&] {
        return view->GetDriveMode() == C3DView::kIdle && view->GetDriveTimer() == 0;
    };
    const std::vector<Tracking> threeD = {
        {"3D drive",
         [&] {
             PressAt(view, centreOf(*view) + CSize(60, -40));
             host.AdvanceClock(100);
             return view;
         },
         camera, atRest3D},
        {"3D camera lift",
         [&] {
             host.KeyDown(VK_SHIFT);
             PressAt(view, centreOf(*view));
             host.KeyUp(VK_SHIFT);
             MoveTo(view, centreOf(*view) + CSize(0, -20));
             return view;
         },
         camera, atRest3D},
    };
    for (const Tracking& row : threeD) Walk(row);
    Command(ID_CAMERA_RESET);
    Walk({"3D object lift",
          [&] {
              PressAt(view, centreOf(*view), true);
              MoveTo(view, centreOf(*view) + CSize(0, -20));
              return view;
          },
          [&] { return Describe(standIn->lifts, DescribePosition(standIn->m_hModel->Bounds().min)); },
          atRest3D},
         true);
    // The lift so far stays, as letting go would leave it.
    EXPECT_GT(standIn->lifts, 0);

    // The terrain editor's preview, in its modal dialog.
    Main().MDIGetActive()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    BeginTerrainOutline();
    ClickRulerKeepingTerrainDefaults();
    bool edited = false;
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        auto& editor = dynamic_cast<CTerrainEditorDialog&>(window);
        CTerrainPreviewWnd& knots = editor.Preview();
        Walk({"terrain preview",
              [&] {
                  // Ctrl and a press on the ball drag the selected knot.
                  const auto ball = knots.GetCamera()->ScreenRect(*knots.GetMarker());
                  if (!ball.has_value())
                      return static_cast<CWnd*>(nullptr);
                  const CPoint marker(ball->x + ball->width / 2, ball->y + ball->height / 2);
                  host.KeyDown(VK_CONTROL);
                  PressAt(&knots, marker);
                  host.KeyUp(VK_CONTROL);
                  MoveTo(&knots, marker + CSize(0, -30));
                  return static_cast<CWnd*>(&knots);
              },
              [&] {
                  return Describe(DescribePosition(knots.GetMarker()->Position()), editor.GetSelectedKnot());
              },
              [&] { return !knots.IsDragging(); }});
        edited = true;
        host.ClickClient(editor.GetDlgItem(IDCANCEL), CPoint(3, 3));
    });
    Command(ID_TERRAIN_EDITOR);
    EXPECT_TRUE(edited);
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
