#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "drawing/CTextBox.h"
#include "drawing/TextLayout.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"
#include "resources/Resources.h"
#include "resources/TextPropertiesTemplate.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/PrintedPage.h"

namespace {

using Bytes = std::vector<BYTE>;

class TextBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
    }
    void TearDown() override { WindowManager::Instance().Reset(); }

    // Answers the next "Text properties" dialog with a text, or with Cancel for none.
    void AnswerText(const char* text) {
        host.WhenModal("Text properties", [this, text](CWnd& dialog) {
            ++dialogs;
            if (text == nullptr) {
                host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
                return;
            }
            dialog.GetDlgItem(IDC_TEXT_EDIT)->SetWindowText(text);
            host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
        });
    }
    CTextBox* DrawTextBox(double x0, double y0, double x1, double y1) {
        plan.tool.m_toolMode.Set(kToolText);
        plan.Drag(x0, y0, x1, y1);
        plan.tool.m_toolMode.Set(kToolSelector);
        return plan.Newest<CTextBox>();
    }

    HeadlessHost host;
    DrawingPlan plan;
    int dialogs = 0;
};

// A canvas in the plan's own mapping: logical y grows upward from the bottom edge.
struct PlanCanvas {
    explicit PlanCanvas(CTool& tool) : tool(tool) {
        canvas.dc.SetMapMode(MM_LOMETRIC);
        canvas.dc.SetViewportOrg(0, 300);
        tool.SetTargetDC(&canvas.dc, nullptr);
        tool.m_rcUpdate = DeviceRect{-100000, -100000, 100000, 100000};
    }
    ~PlanCanvas() { tool.SetTargetDC(nullptr, nullptr); }
    Canvas canvas{400, 300};
    CTool& tool;
};

}  // namespace

TEST(TextLayout, CharactersWrapInsideTheBoxAndStopWhenNoLineFits) {
    const auto tenWide = [](char) { return 10; };
    const TextLayout layout = LayOutText("ABCDEFG", 35, 25, 10, tenWide);
    ASSERT_EQ(layout.characters.size(), 6u);
    const int expected[6][2] = {{0, 0}, {10, 0}, {20, 0}, {0, -10}, {10, -10}, {20, -10}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(layout.characters[i].character, "ABCDEF"[i]);
        EXPECT_EQ(layout.characters[i].x, expected[i][0]);
        EXPECT_EQ(layout.characters[i].y, expected[i][1]);
    }
    EXPECT_EQ(layout.lineWidths, (std::vector<int>{30, 30, 0}));

    // A line feed ends the line, a carriage return is skipped.
    const TextLayout lines = LayOutText("A\r\nBC", 35, 45, 10, tenWide);
    ASSERT_EQ(lines.characters.size(), 3u);
    EXPECT_EQ(lines.characters[1].x, 0);
    EXPECT_EQ(lines.characters[1].y, -10);
    EXPECT_EQ(lines.lineWidths, (std::vector<int>{10, 20}));
}

TEST_F(TextBoxTest, ANewTextBoxAsksForItsTextAndACancelLeavesABlank) {
    AnswerText("Station");
    CTextBox* named = DrawTextBox(0.0, 3000.0, 3000.0, 1000.0);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(named->m_strText, "Station");
    EXPECT_EQ(named->m_strName, "Text");
    EXPECT_EQ(named->m_fontRecord.lfHeight, -27);
    AnswerText(nullptr);
    CTextBox* blank = DrawTextBox(5000.0, 3000.0, 8000.0, 1000.0);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->m_strText, " ");
    // A click makes no box and asks nothing.
    const int count = plan.MemberCount();
    DrawTextBox(100.0, 100.0, 100.0, 100.0);
    EXPECT_EQ(plan.MemberCount(), count);
    EXPECT_EQ(dialogs, 2);
}

TEST_F(TextBoxTest, ThePropertiesDialogMarksTheLayoutWithoutAnUndoStepAndCancelKeepsTheFont) {
    AnswerText("Yard");
    CTextBox* text = DrawTextBox(0.0, 3000.0, 3000.0, 1000.0);
    ASSERT_NE(text, nullptr);
    plan.tool.MarkSaved();
    plan.host.m_bModified = FALSE;
    const int steps = plan.tool.GetUndoCount();
    // "Font..." chooses 24 points, then the text dialog is cancelled: nothing changes.
    host.WhenModal("Text properties", [this](CWnd& dialog) {
        host.WhenModal("Font", [this](CWnd& font) {
            font.GetDlgItem(edt3)->SetWindowText("24");
            host.ClickClient(font.GetDlgItem(IDOK), CPoint(5, 5));
        });
        host.ClickClient(dialog.GetDlgItem(ID_TEXT_FONT), CPoint(5, 5));
        dialog.GetDlgItem(IDC_TEXT_EDIT)->SetWindowText("Depot");
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    plan.tool.m_toolMode.Set(kToolText);
    EXPECT_EQ(text->EditProperties(nullptr), 0);
    EXPECT_EQ(plan.tool.m_toolMode, kToolSelector);
    EXPECT_EQ(text->m_strText, "Yard");
    EXPECT_EQ(text->m_fontRecord.lfHeight, -27);
    EXPECT_FALSE(plan.host.m_bModified);
    host.WhenModal("Text properties", [this](CWnd& dialog) {
        host.WhenModal("Font", [this](CWnd& font) {
            font.GetDlgItem(edt3)->SetWindowText("24");
            host.ClickClient(font.GetDlgItem(IDOK), CPoint(5, 5));
        });
        host.ClickClient(dialog.GetDlgItem(ID_TEXT_FONT), CPoint(5, 5));
        dialog.GetDlgItem(IDC_TEXT_EDIT)->SetWindowText("");
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    EXPECT_EQ(text->EditProperties(nullptr), 1);
    EXPECT_EQ(text->m_strText, " ");
    EXPECT_EQ(text->m_fontRecord.lfHeight, -32);
    EXPECT_TRUE(plan.host.m_bModified);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
}

TEST_F(TextBoxTest, ACornerPressRecordsTheCornerForUndoAndMarksTheLayout) {
    AnswerText("Yard");
    CTextBox* text = DrawTextBox(1000.0, 3000.0, 4000.0, 1000.0);
    ASSERT_NE(text, nullptr);
    const CDoublePoint corner3 = text->m_points[3];
    plan.tool.MarkSaved();
    plan.host.m_bModified = FALSE;
    // Pressed a little off the corner: the step holds the corner itself.
    plan.Drag(4003.0, 1004.0, 5000.0, 500.0);
    ASSERT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepChangeGeometry);
    const GeometryPayload* payload = plan.tool.GetUndoStep(0)->GetPayload<GeometryPayload>();
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(payload->x, 4000.0);
    EXPECT_EQ(payload->y, 1000.0);
    EXPECT_TRUE(plan.host.m_bModified);
    EXPECT_EQ(text->m_points[3], (CDoublePoint{4000.0, -2500.0}));
    plan.tool.Undo();
    EXPECT_EQ(text->m_points[3], corner3);
    EXPECT_EQ(text->m_points[4].x, corner3.x);

    text->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 16);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[2], "200.000");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[3], "300.000");
    CString hint;
    text->AppendStatusText(hint);
    EXPECT_EQ(hint, "200.000; 300.000; 0.00");

    // A group resize doubles the box about the parent's origin; the font keeps its height.
    text->TrackCreate(nullptr, -1);
    text->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_EQ(text->m_points[3], (CDoublePoint{6000.0, -4000.0}));
    EXPECT_EQ(text->m_points[4], (CDoublePoint{6000.0, 0.0}));
    EXPECT_EQ(text->m_pose.x, 2000.0);
    EXPECT_EQ(text->m_fontRecord.lfHeight, -27);
}

TEST_F(TextBoxTest, RecordsRoundTripWithTheirTwoOnesAndVersion6AddsTheOutline) {
    AnswerText("Two\r\nlines");
    CTextBox* text = DrawTextBox(1000.0, 3000.0, 4000.0, 1000.0);
    ASSERT_NE(text, nullptr);
    text->m_crText = RGB(1, 2, 3);
    const Bytes record = StoreRecord(*text);
    const size_t common = CommonPartSize(*text);
    ASSERT_EQ(record.size() - common, 80u + 8u + 1u + 10u + 4u + 61u);
    int ones[2] = {};
    std::memcpy(ones, record.data() + common + 80, 8);
    EXPECT_EQ(ones[0], 1);
    EXPECT_EQ(ones[1], 1);
    CTextBox read;
    read.SetTool(&plan.tool);
    LoadRecord(read, record);
    EXPECT_EQ(read.m_strText, "Two\r\nlines");
    EXPECT_EQ(read.m_crText, RGB(1, 2, 3));
    EXPECT_EQ(StoreRecord(read), record);
    std::unique_ptr<CPaint> clone(read.Clone());
    EXPECT_EQ(StoreRecord(*clone), record);

    // Two boxes that differ only in the face name differ in font, not in text.
    auto* other = static_cast<CTextBox*>(read.Clone());
    std::strcpy(other->m_fontRecord.lfFaceName, "Times New Roman");
    read.CompareProperties(other);
    EXPECT_EQ(plan.host.GetPropertyFlags()[CTextBox::kDiffersFont], 1);
    EXPECT_EQ(plan.host.GetPropertyFlags()[CTextBox::kDiffersText], 0);
    delete other;

    plan.host.m_nFileVersion = 6;
    const Bytes older = AsVersion6Record(*text, record);
    CTextBox old;
    old.SetTool(&plan.tool);
    LoadRecord(old, older);
    ASSERT_EQ(old.m_points.GetSize(), CTextBox::kPointCount);
    EXPECT_EQ(old.m_points[3], text->m_points[3]);
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST_F(TextBoxTest, TextShowsInTheBoxIsHitWhereItIsAndVanishesAtLowZoomAndPrintingKeepsTheLines) {
    AnswerText("WWWWWW");
    CTextBox* text = DrawTextBox(500.0, 5000.0, 3500.0, 3000.0);
    ASSERT_NE(text, nullptr);
    text->Deselect();
    PlanCanvas plan_canvas(plan.tool);
    Canvas& canvas = plan_canvas.canvas;
    text->RecalcDeviceBounds();
    ASSERT_EQ(text->Draw(nullptr), 1);
    // The box spans logical x 50 to 350 and y 300 to 500: pixels 19 to 132, 111 to 187.
    EXPECT_GT(canvas.CountColor(kBlack, CRect(19, 111, 132, 125)), 20);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(19, 140, 132, 187)), 0);
    ASSERT_EQ(text->m_lineWidths.size(), 1u);
    EXPECT_GT(text->m_lineWidths[0], 100);
    EXPECT_EQ(text->m_nLineHeight, 27);
    plan.tool.m_fCurrentX = 600.0;
    plan.tool.m_fCurrentY = 4900.0;
    EXPECT_EQ(text->HitTest(), text);
    plan.tool.m_fCurrentY = 3200.0;
    EXPECT_EQ(text->HitTest(), nullptr);

    // Printing leaves the lines the hit test reads.
    const std::vector<int> screen = text->m_lineWidths;
    PrintedPage page;
    ASSERT_TRUE(page.Start(plan.tool, plan.host, 20000, 20000));
    plan.host.m_fPrintScale = 0.5;
    plan.tool.m_fPrintOffsetY = -20000.0;
    ASSERT_EQ(text->Draw(nullptr), 1);
    EXPECT_EQ(text->m_lineWidths, screen);
    EXPECT_EQ(text->m_nLineHeight, 27);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);

    // Far out the font would be 0 high: no text, and nothing to hit.
    plan.tool.SetViewScale(1.0, 1000.0);
    canvas.dc.FillSolidRect(0, 0, 4000, 4000, kWhite);
    text->RecalcDeviceBounds();
    text->Draw(nullptr);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 0, 400, 300)), 0);
    EXPECT_TRUE(text->m_lineWidths.empty());
    plan.tool.m_fCurrentX = 600.0;
    plan.tool.m_fCurrentY = 4900.0;
    EXPECT_EQ(text->HitTest(), nullptr);
}
