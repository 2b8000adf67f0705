#include <gtest/gtest.h>

#include "model/CCVNDoc.h"
#include "model/CTool.h"
#include "platform/cdlg/CColorDialog.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/WindowManager.h"
#include "resources/ToolParametersTemplate.h"
#include "shell/CToolParametersDialog.h"

namespace {
class PlainView : public CView {
    DECLARE_DYNCREATE(PlainView)
  public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PlainView, CView)

// A main frame whose active child frame the test chooses.
class SwitchingFrame : public CFrameWnd {
  public:
    CFrameWnd* active = nullptr;
    CFrameWnd* GetActiveFrame() override { return active ? active : this; }
};

CFrameWnd* FrameOn(CCVNDoc& document) {
    auto* frame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(PlainView);
    context.m_pCurrentDoc = &document;
    if (!frame->LoadFrame(0, WS_OVERLAPPEDWINDOW, nullptr, &context))
        return nullptr;
    frame->InitialUpdateFrame(&document, FALSE);
    return frame;
}

class ToolParametersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        first.m_bAutoDelete = second.m_bAutoDelete = false;
        main = new SwitchingFrame;
        ASSERT_TRUE(main->LoadFrame(0, WS_OVERLAPPEDWINDOW));
        firstFrame = FrameOn(first);
        secondFrame = FrameOn(second);
        ASSERT_TRUE(firstFrame && secondFrame);
        main->active = firstFrame;
        ASSERT_TRUE(dialog.Create(main));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        for (CWnd* frame :
             {static_cast<CWnd*>(firstFrame), static_cast<CWnd*>(secondFrame), static_cast<CWnd*>(main)})
            if (IsWindow(frame))
                frame->DestroyWindow();
        WindowManager::Instance().Reset();
    }
    CWnd* Item(int id) { return dialog.GetDlgItem(id); }
    bool Enabled(int id) { return Item(id)->IsWindowEnabled() != FALSE; }
    void ClickItem(int id) {
        CRect rect;
        Item(id)->GetWindowRect(&rect);
        host.Click(rect.CenterPoint());
    }
    // Drops the picker's list and clicks its item.
    void Choose(int id, int index) {
        auto* picker = static_cast<CComboBox*>(Item(id));
        ClickItem(id);
        ASSERT_TRUE(picker->GetDroppedState());
        CRect list;
        picker->DropList().GetWindowRect(&list);
        const int height = picker->GetItemHeight(0);
        // The whole list drops, as tall as the template asks.
        EXPECT_GE(list.Height(), picker->GetCount() * height);
        EXPECT_EQ(WindowManager::Instance().WindowFromPoint(CPoint(list.left + 20, list.top + 5)),
                  &picker->DropList());
        host.Click(CPoint(list.left + 20, list.top + 1 + index * height + height / 2));
        ASSERT_FALSE(picker->GetDroppedState());
    }
    CColorButton& Colour(int id) { return *static_cast<CColorButton*>(Item(id)); }
    int Selected(int id) { return static_cast<CComboBox*>(Item(id))->GetCurSel(); }

    HeadlessHost host;
    CCVNDoc first;
    CCVNDoc second;
    SwitchingFrame* main = nullptr;
    CFrameWnd* firstFrame = nullptr;
    CFrameWnd* secondFrame = nullptr;
    CToolParametersDialog dialog;
};
}  // namespace

TEST_F(ToolParametersTest, ShowingLoadsTheActiveDocumentsDefaultsAndChangesApplyAtOnce) {
    CTool& engine = *first.GetTool();
    engine.m_bFillOnDefault = 1;
    engine.m_bPatternOnDefault = 1;
    engine.m_brushDefault = {kBrushHatched, RGB(0, 0, 200), 3};
    engine.m_crFillDefault = RGB(250, 250, 0);
    engine.m_penDefault = {0, 2, 2, RGB(90, 0, 0)};
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.GetExStyle() & WS_EX_TOPMOST);

    dialog.ShowWindow(SW_SHOW);
    host.RunUntilIdle();
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_FILL), 1u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_PATTERN), 1u);
    EXPECT_EQ(Selected(IDC_HATCH), 3);
    EXPECT_EQ(Selected(IDC_LINE_WIDTH), 1);
    EXPECT_EQ(Selected(IDC_LINE_STYLE), 0);
    EXPECT_EQ(Colour(IDC_PATTERN_COLOR).GetColor(), RGB(0, 0, 200));
    EXPECT_EQ(Colour(IDC_FILL_COLOR).GetColor(), RGB(250, 250, 0));
    EXPECT_EQ(Colour(IDC_LINE_COLOR).GetColor(), RGB(90, 0, 0));
    for (int id : {IDC_FILL_COLOR, IDC_PATTERN, IDC_HATCH, IDC_PATTERN_COLOR}) EXPECT_TRUE(Enabled(id)) << id;

    // A dashed style resets the width to one pixel, and a wider line the style to solid.
    Choose(IDC_LINE_STYLE, 1);
    EXPECT_EQ(Selected(IDC_LINE_WIDTH), 0);
    EXPECT_EQ(engine.m_penDefault, (PenRecord{1, 1, 1, RGB(90, 0, 0)}));
    Choose(IDC_LINE_WIDTH, 3);
    EXPECT_EQ(Selected(IDC_LINE_STYLE), 0);
    EXPECT_EQ(engine.m_penDefault, (PenRecord{0, 4, 4, RGB(90, 0, 0)}));
    Choose(IDC_HATCH, 5);
    EXPECT_EQ(engine.m_brushDefault, (BrushRecord{kBrushHatched, RGB(0, 0, 200), 5}));

    // Switching the pattern off swaps the colours between the brush and the fill default.
    ClickItem(IDC_PATTERN);
    EXPECT_EQ(engine.m_bPatternOnDefault, 0);
    EXPECT_EQ(engine.m_brushDefault, (BrushRecord{kBrushSolid, RGB(250, 250, 0), 5}));
    EXPECT_EQ(engine.m_crFillDefault, RGB(0, 0, 200));
    EXPECT_FALSE(Enabled(IDC_HATCH));
    EXPECT_FALSE(Enabled(IDC_PATTERN_COLOR));
    ClickItem(IDC_PATTERN);
    EXPECT_EQ(engine.m_brushDefault, (BrushRecord{kBrushHatched, RGB(0, 0, 200), 5}));
    EXPECT_EQ(engine.m_crFillDefault, RGB(250, 250, 0));

    // Without fill, the pattern goes too and every fill control is disabled.
    ClickItem(IDC_FILL);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_PATTERN), 0u);
    EXPECT_EQ(engine.m_bFillOnDefault, 0);
    EXPECT_EQ(engine.m_bPatternOnDefault, 0);
    for (int id :
         {IDC_FILL_COLOR_LABEL, IDC_FILL_COLOR, IDC_PATTERN, IDC_HATCH_LABEL, IDC_HATCH, IDC_PATTERN_COLOR})
        EXPECT_FALSE(Enabled(id)) << id;
    ClickItem(IDC_FILL);
    EXPECT_EQ(engine.m_bFillOnDefault, 1);
    EXPECT_TRUE(Enabled(IDC_FILL_COLOR));
    EXPECT_TRUE(Enabled(IDC_PATTERN));
    EXPECT_FALSE(Enabled(IDC_HATCH));

    // A colour chosen in the colour dialog shows on the button and reaches the engine.
    host.WhenModal("Color", [&](CWnd& modal) {
        static_cast<CColorDialog&>(modal).SetCurrentColor(RGB(10, 200, 30));
        host.PressKey(VK_RETURN);
    });
    ClickItem(IDC_LINE_COLOR);
    EXPECT_EQ(Colour(IDC_LINE_COLOR).GetColor(), RGB(10, 200, 30));
    EXPECT_EQ(engine.m_penDefault.color, RGB(10, 200, 30));
    host.WhenModal("Color", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    ClickItem(IDC_FILL_COLOR);
    EXPECT_EQ(engine.m_brushDefault.color, RGB(250, 250, 0));

    // Escape hides the dialog and clears its shown flag.
    dialog.m_bShown = 1;
    dialog.SetFocus();
    host.PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_bShown, 0);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(ToolParametersTest, ShowingAfterADocumentSwitchShowsThatDocumentsDefaults) {
    first.GetTool()->m_penDefault = {0, 3, 3, RGB(1, 2, 3)};
    second.GetTool()->m_penDefault = {2, 1, 1, RGB(4, 5, 6)};
    second.GetTool()->m_bFillOnDefault = 0;
    second.GetTool()->m_bPatternOnDefault = 1;
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(Selected(IDC_LINE_WIDTH), 2);
    dialog.ShowWindow(SW_HIDE);
    main->active = secondFrame;
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(Selected(IDC_LINE_WIDTH), 0);
    EXPECT_EQ(Selected(IDC_LINE_STYLE), 2);
    EXPECT_EQ(Colour(IDC_LINE_COLOR).GetColor(), RGB(4, 5, 6));
    // Fill off shows the pattern off too, whatever the engine holds.
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_PATTERN), 0u);
    EXPECT_FALSE(Enabled(IDC_PATTERN));

    // Enter applies the controls to the now active document without closing.
    dialog.SetFocus();
    host.PressKey(VK_RETURN);
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(second.GetTool()->m_bPatternOnDefault, 0);
    EXPECT_EQ(first.GetTool()->m_penDefault, (PenRecord{0, 3, 3, RGB(1, 2, 3)}));
}
