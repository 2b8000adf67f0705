#include <gtest/gtest.h>

#include <algorithm>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/SystemColors.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/TestLayout.h"

namespace {

constexpr COLORREF kMarkerColor = RGB(14, 173, 201);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kDarkGreen = RGB(0, 128, 0);

// An engine drawing into a 300 by 300 white memory DC (one unit a pixel, y down).
struct Overlay {
    Overlay() : host(tool), canvas(300, 300) {
        tool.SetViewScale(1.0, 10.0);
        tool.SetTargetDC(&canvas.dc, nullptr);
        canvas.dc.EnableTrace(true);
    }
    ~Overlay() { tool.SetTargetDC(nullptr, nullptr); }
    const CDCTraceEntry* Find(const char* primitive) const {
        const auto& trace = canvas.dc.GetTrace();
        auto found = std::find_if(trace.begin(), trace.end(),
                                  [primitive](const CDCTraceEntry& e) { return e.primitive == primitive; });
        return found != trace.end() ? &*found : nullptr;
    }
    int Count(const char* primitive) const {
        const auto& trace = canvas.dc.GetTrace();
        return static_cast<int>(
            std::count_if(trace.begin(), trace.end(),
                          [primitive](const CDCTraceEntry& e) { return e.primitive == primitive; }));
    }
    CTool tool;
    CTestHost host;
    Canvas canvas;
};

class CDrawCounter : public CTestObject {
  public:
    using CTestObject::CTestObject;
    int Draw(const CPose* parent) override {
        ++m_nDraws;
        m_bEmptyPose = parent != nullptr && parent->x == 0.0 && parent->y == 0.0 && parent->angle == 0.0;
        return 1;
    }
    int m_nDraws = 0;
    bool m_bEmptyPose = false;
};

}  // namespace

TEST(Overlay, RubberBandIsADottedFrameOnly) {
    Overlay o;
    o.tool.DrawRubberRect();
    EXPECT_EQ(o.Find("Rectangle"), nullptr);  // no band, nothing drawn
    o.tool.m_rcRubberBand = DeviceRect{20, 20, 120, 80};
    o.tool.DrawRubberRect();
    const CDCTraceEntry* frame = o.Find("Rectangle");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->points[0].x, 20);
    EXPECT_EQ(frame->points[1].y, 80);
    EXPECT_EQ(frame->pen.lopnStyle, PS_DOT);
    EXPECT_EQ(frame->pen.lopnColor, kMarkerColor);
    EXPECT_EQ(frame->brush.lbStyle, BS_NULL);
    const int top = o.canvas.CountColor(kMarkerColor, CRect(20, 20, 120, 21));
    EXPECT_GT(top, 20);
    EXPECT_LT(top, 100);  // dotted, not solid
    EXPECT_EQ(o.canvas.CountColor(kWhite, CRect(22, 22, 118, 78)), 96 * 56);
}

TEST(Overlay, ConnectRubberLineWithItsEndSquares) {
    Overlay o;
    o.tool.m_rcConnectLine = DeviceRect{30, 150, 200, 150};
    o.tool.DrawRubberLine();
    EXPECT_EQ(o.canvas.At(30, 150), kMagenta);
    EXPECT_EQ(o.canvas.At(21, 141), kMagenta);  // half-size 10
    EXPECT_EQ(o.canvas.At(200, 158), kWhite);   // no second end yet
    EXPECT_GT(o.canvas.CountColor(kDarkGreen, CRect(45, 150, 190, 151)), 30);
    EXPECT_EQ(o.Find("LineTo")->pen.lopnStyle, PS_DOT);
    o.tool.m_bSecondPoint = 1;
    o.tool.DrawRubberLine();
    EXPECT_EQ(o.canvas.At(200, 158), kMagenta);
}

TEST(Overlay, HintBoxWithItsTextAndGuide) {
    Overlay o;
    o.tool.m_hint.m_strText = "12.5";
    o.tool.m_hint.m_rect = DeviceRect{50, 200, 250, 260};
    o.tool.DrawSelection();
    const CDCTraceEntry* box = o.Find("Rectangle");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->brush.lbColor, GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(box->pen.lopnColor, GetSysColor(COLOR_INFOTEXT));
    EXPECT_EQ(o.canvas.At(55, 205), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(o.canvas.At(50, 230), GetSysColor(COLOR_INFOTEXT));
    EXPECT_GT(o.canvas.CountColor(GetSysColor(COLOR_INFOTEXT), CRect(60, 205, 240, 255)), 20);  // the text
    EXPECT_EQ(o.Find("Ellipse"), nullptr);

    o.canvas.dc.ClearTrace();
    o.tool.m_toolMode.Set(kToolDragHandle);
    o.tool.m_fHintX = o.tool.m_fGuideX = 1000.0;
    o.tool.m_fHintY = o.tool.m_fGuideY = 1000.0;
    o.tool.DrawSelection();
    const CDCTraceEntry* circle = o.Find("Ellipse");
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->points[0].x, 90);
    EXPECT_EQ(circle->points[1].y, 110);
    EXPECT_EQ(circle->pen.lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(circle->pen.lopnWidth.x, 4);
    o.canvas.dc.ClearTrace();
    o.tool.m_fGuideX = 2000.0;
    o.tool.DrawSelection();
    const CDCTraceEntry* guide = o.Find("LineTo");
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->points.back().x, 200);
    EXPECT_EQ(o.canvas.At(150, 100), RGB(255, 0, 0));

    o.canvas.dc.ClearTrace();
    o.tool.m_hint.m_bShown = 0;
    o.tool.DrawSelection();
    EXPECT_EQ(o.Find("Rectangle"), nullptr);
}

TEST(Overlay, PivotMarkerWhileRotating) {
    Overlay o;
    o.tool.m_fPivotX = 1500.0;
    o.tool.m_fPivotY = 1500.0;
    o.tool.m_toolMode.Set(kToolRotateAroundOrigin);
    o.tool.DrawSelection();
    EXPECT_EQ(o.Find("Arc"), nullptr);  // the button is not down
    o.tool.m_bButtonDown = 1;
    o.tool.DrawSelection();
    EXPECT_EQ(o.tool.m_bMarkerShown, 1);
    EXPECT_EQ(o.Count("Arc"), 1);
    EXPECT_EQ(o.Count("LineTo"), 2);
    EXPECT_EQ(o.canvas.At(150, 150), kMarkerColor);
    EXPECT_EQ(o.canvas.At(150, 121), kMarkerColor);
    EXPECT_EQ(o.canvas.At(140, 140), kWhite);  // a ring, not a disc
    EXPECT_GT(o.canvas.CountColor(kMarkerColor, CRect(115, 115, 125, 185)), 4);

    o.tool.m_toolMode.Set(kToolSelector);
    o.tool.DrawSelection();
    EXPECT_EQ(o.tool.m_bMarkerShown, 0);
    o.canvas.dc.ClearTrace();
    o.tool.DrawRotationMarker();
    EXPECT_EQ(o.Find("Arc"), nullptr);
}

TEST(Overlay, HandleMarkers) {
    Overlay o;
    CTestShape shape(&o.tool);
    shape.DrawHandle(50, 50);
    EXPECT_EQ(o.canvas.At(45, 45), kGreen);
    EXPECT_EQ(o.canvas.At(40, 50), kBlack);
    EXPECT_EQ(o.canvas.At(60, 50), kBlack);
    EXPECT_EQ(o.canvas.At(38, 50), kWhite);
    shape.DrawHollowHandle(150, 50);
    EXPECT_EQ(o.canvas.At(150, 50), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(o.canvas.At(140, 50), kBlack);
    EXPECT_FALSE(o.canvas.dc.GetTrace().empty());
    shape.DrawCrossMarker(50, 150);
    EXPECT_EQ(o.canvas.CountColor(kBlack, CRect(30, 150, 70, 151)), 20);
    EXPECT_EQ(o.canvas.CountColor(kBlack, CRect(50, 130, 51, 170)), 20);
    shape.DrawCircleMarker(150, 150);
    EXPECT_EQ(o.canvas.At(150, 150), kWhite);
    EXPECT_GT(o.canvas.CountColor(kBlack, CRect(138, 140, 144, 160)), 3);
    o.canvas.dc.ClearTrace();
    shape.DrawXMarker(200, 200);
    ASSERT_EQ(o.Count("LineTo"), 2);
    EXPECT_EQ(o.canvas.dc.GetTrace()[0].points.back().x, 205);
    EXPECT_EQ(o.canvas.dc.GetTrace()[1].points.back().x, 193);
}

TEST(Overlay, HintAreaAndTrains) {
    Overlay o;
    o.tool.ForgetDirtyArea();
    o.tool.m_bRedraw = 0;
    o.tool.m_hint.m_strText = "abc";
    o.tool.m_fHintX = 100.7;
    o.tool.m_fHintY = 200.2;
    o.tool.UpdateHintRect();
    EXPECT_EQ(o.tool.DirtyAreaInView(), (DeviceRect{100, 165, 205, 200}));
    EXPECT_EQ(o.tool.m_bRedraw, 0);  // an overlay pass is enough

    CDrawCounter train(0, &o.tool, 0.0, 0.0);
    o.host.m_trains.push_back(&train);
    o.tool.DrawTrains();
    EXPECT_EQ(train.m_nDraws, 1);
    EXPECT_TRUE(train.m_bEmptyPose);
}

TEST(Overlay, HintTextShowsInsideItsBoxWhereYRunsUp) {
    Overlay o;
    o.canvas.dc.SetMapMode(MM_LOMETRIC);
    o.tool.m_hint.m_strText = "h=12.5,grade=0.50%; 100.0";
    // Normalised as the plan view leaves it: its top, the smaller y, is the lower edge on screen.
    o.tool.m_hint.m_rect = DeviceRect{50, -300, 700, -200};
    o.tool.DrawSelection();
    CRect box(50, -300, 700, -200);
    o.canvas.dc.LPtoDP(&box);
    box.NormalizeRect();
    const COLORREF text = GetSysColor(COLOR_INFOTEXT);
    const CRect inside(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    // The text stands in the upper part of the box; nothing of it spills below.
    EXPECT_GT(o.canvas.CountColor(text, CRect(inside.left, inside.top, inside.right, inside.top + 15)), 100);
    EXPECT_EQ(o.canvas.CountColor(text, CRect(box.left, box.bottom + 1, box.right, box.bottom + 30)), 0);
    EXPECT_EQ(o.canvas.At(box.left + 1, box.bottom - 2), GetSysColor(COLOR_INFOBK));
}
