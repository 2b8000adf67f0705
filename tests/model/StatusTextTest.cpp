#include <gtest/gtest.h>

#include "model/CGroup.h"
#include "model/CPieceStatusText.h"
#include "model/CTool.h"
#include "tests/model/TestLayout.h"

namespace {

CPieceStatusText Filled(int kind) {
    CPieceStatusText status;
    const char* texts[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    for (int i = 0; i < CPieceStatusText::kMeasureCount; ++i) status.m_strMeasure[i] = texts[i];
    status.m_strName = "Name";
    status.m_fRotation = 12.345;
    status.m_fStartAngle = 30.0;
    status.m_fArcAngle = 45.0;
    status.m_fGrade = 2.46;
    status.m_nKind = kind;
    status.FormatPieceStatus();
    return status;
}

TEST(StatusText, PanesAreComposedByKind) {
    CPieceStatusText track = Filled(17);
    EXPECT_EQ(track.m_strPane[0], "a-b L=c");
    EXPECT_EQ(track.m_strPane[1], "j");
    EXPECT_EQ(track.m_strPane[2], "H1=k   H2=l  Grade=2.5%");
    EXPECT_EQ(track.m_strPane[3], "12.35\xB0");
    EXPECT_EQ(track.m_strPane[4], "Name");

    // A pane of each of the other kinds, composed of the filled texts.
    const struct {
        int kind;
        int pane;
        const char* text;
    } panes[] = {
        {0, 0, "a-b  SAng=30.0\xB0   ArcD=45.0\xB0   R1=g   R2=h   Cf"},
        {1, 0, "H=k W=d L=c A=e"},
        {1, 1, "j   i"},
        {1, 2, "E=l"},
        {3, 0, "a-b H=c W=d A=e"},
        {4, 0, "a-b H=c W=d S=e"},
        {5, 0, "f H=k"},
        {7, 0, "a-b L=c"},
        {11, 0, "a-b H=c W=d R=g A=e"},
        {12, 0, "a-b Cf R=g 30.0\xB0"},
        {18, 0, "a-b L=c   SAng=30.0\xB0   ArcD=45.0   R1=g   R2=h   Cf"},
        {19, 0, "a-b L=c   SAng=30.0\xB0   ArcD=45.0   R1=g  Cf"},
        {20, 0, "a-b L=c"},
        {21, 1, "3D Bitmap"},
        {22, 0, "H=k"},
    };
    for (const auto& each : panes) EXPECT_EQ(Filled(each.kind).m_strPane[each.pane], each.text) << each.kind;

    CPieceStatusText group = Filled(6);
    EXPECT_EQ(group.m_strPane[0], " H=c W=d");
    EXPECT_EQ(group.m_strPane[1], "j   i");
    EXPECT_TRUE(group.m_strPane[3].IsEmpty());  // a group shows no angle
    CPieceStatusText view = Filled(23);
    EXPECT_EQ(view.m_strPane[0], "3D View");
    EXPECT_TRUE(view.m_strPane[4].IsEmpty());
    for (int kind : {-1, 9}) {
        CPieceStatusText none = Filled(kind);
        for (int pane = 0; pane < 4; ++pane) EXPECT_TRUE(none.m_strPane[pane].IsEmpty()) << kind;
        EXPECT_EQ(none.m_strPane[4], "Name");
    }
}

TEST(StatusText, TheSummaryCountsSelectedObjectsOnShownLayers) {
    CTool tool;
    CTestHost host(tool);
    tool.UpdateStatus();
    EXPECT_TRUE(tool.m_status.m_strPane[0].IsEmpty());  // an empty layout

    CTestShape* shapes[3];
    for (CTestShape*& shape : shapes) shape = AddToLayout(host, new CTestShape(&tool));
    tool.UpdateStatus();
    EXPECT_EQ(tool.m_status.m_strPane[0], "3 objects at plan.");
    for (CTestShape* shape : shapes) shape->Select();
    tool.UpdateStatus();
    EXPECT_EQ(tool.m_status.m_strPane[0], "3 objects selected.");
    for (int pane = 1; pane < 4; ++pane) EXPECT_TRUE(tool.m_status.m_strPane[pane].IsEmpty());

    // One selected object on a hidden layer does not count.
    tool.DeselectAll(0, 0);
    shapes[0]->SetLayer(5);
    tool.m_bLayerShown[5] = 0;
    host.m_nLockedLayer = -1;
    shapes[0]->Select();
    tool.UpdateStatus();
    EXPECT_EQ(tool.m_status.m_strPane[0], "3 objects at plan.");
    EXPECT_GT(host.m_nStatusShows, 0);

    // Inside an open empty group.
    CGroup* empty = AddToLayout(host, NewGroup(&tool));
    host.OpenGroup(empty);
    tool.UpdateStatus();
    EXPECT_EQ(tool.m_status.m_strPane[0], "0 objects in group.");
    host.CloseGroup();
}

// A duplicate refreshes the summary once, when all its copies are made: counting the selection
// after every copy made a large duplicate take seconds.
TEST(StatusText, ADuplicateEndsWithTheSummaryOfItsCopies) {
    CTool tool;
    CTestHost host(tool);
    for (int shape = 0; shape < 3; ++shape) AddToLayout(host, new CTestShape(&tool))->Select();
    tool.UpdateStatus();
    const int shows = host.m_nStatusShows;
    tool.DuplicateSelection();
    EXPECT_EQ(tool.m_status.m_strPane[0], "3 objects selected.");
    EXPECT_EQ(tool.GetSelectedCount(), 3);
    EXPECT_EQ(host.m_nStatusShows - shows, 1);
}

}  // namespace
