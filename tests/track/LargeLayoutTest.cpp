#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/ByteDigest.h"
#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "track/CArcTrack.h"
#include "track/CParTrack.h"
#include "track/CSplineTrack.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes SaveFile(CCVNDoc& doc, const std::filesystem::path& path) {
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every way a piece is drawn somewhere: centre lines, both rails, axes, ties, the marks of
// connected ends and of selected pieces.
void VaryTheLook(CCVNDoc& doc) {
    int index = 0;
    for (CPaint* member : doc.m_rootGroup.m_members) {
        auto* piece = static_cast<CParTrack*>(member);
        piece->m_nRailMode = 1 + index % 3;
        piece->m_bShowAxis = index % 4 == 1 ? 1 : 0;
        piece->m_bShowTies = index % 5 < 3 ? 1 : 0;
        if (index % 7 == 3)
            piece->Select();
        ++index;
    }
}

class LargeLayoutTest : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }
};

}  // namespace

// The digests were taken from the drawing as it was before the placements, the curves and
// the engine's member walks were made faster. They are of the exact drawing, which leaves out
// nothing too small to see; the shortcuts are held to it below.
TEST_F(LargeLayoutTest, ThePlanIsDrawnPixelForPixelAsBefore) {
    QuietDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 8, 36);
    LargeLayout::MarkMeetingEnds(doc);
    doc.ResetViewSettings();
    VaryTheLook(doc);
    PlanWindow window(800, 600);
    window.DC().EnableFastPaths(false);
    const double zooms[] = {window.FittingZoom(doc), 1.0, 4.0};
    std::vector<std::uint64_t> digests;
    for (double zoom : zooms) {
        doc.m_tool.SetViewScale(zoom, doc.m_fViewScale);
        doc.m_tool.UpdateDeviceBounds();
        window.Repaint(doc, zoom);
        digests.push_back(window.PictureDigest());
    }
    EXPECT_EQ(zooms[0], 0.5);
    EXPECT_EQ(digests, (std::vector<std::uint64_t>{8919732680532846896ull, 9242431908601536905ull,
                                                   17988773682840873232ull}));
}

// The file of the 5,000-piece layout, as written before the archive got its own buffer; opened
// and saved again it comes out the same.
TEST_F(LargeLayoutTest, TheFileIsWrittenByteForByteAsBeforeAndReadBackWhole) {
    TestFolder folder;
    QuietDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc);
    LargeLayout::MarkMeetingEnds(doc);
    // The names an opened layout takes whatever it stored.
    doc.m_strLibraryFileName = "New.CVL";
    doc.m_strPartsFileName = "New.CVP";
    const Bytes bytes = SaveFile(doc, folder / "large.cvn");
    EXPECT_EQ(bytes.size(), 3202214u);
    EXPECT_EQ(ByteDigest(bytes), 5583397526624891848ull);
    QuietDoc read;
    ASSERT_TRUE(read.OnOpenDocument((folder / "large.cvn").c_str()));
    EXPECT_EQ(read.m_rootGroup.m_members.size(), 5000u);
    EXPECT_EQ(SaveFile(read, folder / "again.cvn"), bytes);
}

// A layout of arcs and splines saved, opened and saved again comes out byte for byte; a spline
// record whose point array cannot be a spline fails the open and leaves nothing behind.
TEST_F(LargeLayoutTest, ArcsAndSplinesGoThroughTheLayoutFile) {
    TestFolder folder;
    QuietDoc doc;
    doc.OnNewDocument();
    auto place = [&doc](CPaint* piece) {
        doc.m_rootGroup.m_members.push_front(piece);
        piece->SetOwnerGroup(&doc.m_rootGroup);
        const CPose world = doc.m_rootGroup.WorldPose(nullptr);
        piece->SetParentPose(&world);
    };
    auto* arc = new CArcTrack(0, &doc.m_tool, 1000.0, -1000.0);
    place(arc);
    arc->SetArc(1000.0, -1000.0, 900.0, 400.0, 0.5, 2.5, 0, 0);
    auto* spline = new CSplineTrack(0, &doc.m_tool, 3000.0, -1000.0);
    place(spline);
    CPointArray control;
    for (int k = 0; k <= 6; ++k) control.Add(3000.0 + k * 300.0, -1000.0 + (k % 3) * 250.0);
    spline->SetControlPoints(&control, 0, 0);
    spline->MirrorY(-500.0);
    doc.m_strLibraryFileName = "New.CVL";
    doc.m_strPartsFileName = "New.CVP";
    const Bytes bytes = SaveFile(doc, folder / "curves.cvn");
    QuietDoc read;
    ASSERT_TRUE(read.OnOpenDocument((folder / "curves.cvn").c_str()));
    ASSERT_EQ(read.m_rootGroup.m_members.size(), 2u);
    auto* readSpline = dynamic_cast<CSplineTrack*>(read.m_rootGroup.m_members.front());
    ASSERT_NE(readSpline, nullptr);
    EXPECT_EQ(readSpline->GetControlPointWorld(11), spline->GetControlPointWorld(11));
    EXPECT_NE(dynamic_cast<CArcTrack*>(read.m_rootGroup.m_members.back()), nullptr);
    EXPECT_EQ(SaveFile(read, folder / "again.cvn"), bytes);

    // One control point more: the point count can no longer be a spline's.
    spline->m_points.Add(5000.0, -1000.0);
    SaveFile(doc, folder / "odd.cvn");
    QuietDoc odd;
    odd.OnNewDocument();
    EXPECT_FALSE(odd.OnOpenDocument((folder / "odd.cvn").c_str()));
    EXPECT_TRUE(odd.m_rootGroup.m_members.empty());
}

// Duplicate of part of a layout, some of its pieces lying twinned on others so that the copies
// join, and then of all of it: the file comes out as written before Duplicate was made faster,
// and Undo gives back the layout's own bytes.
TEST_F(LargeLayoutTest, DuplicatedLayoutIsWrittenByteForByteAsBefore) {
    TestFolder folder;
    QuietDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 6, 40);
    doc.ResetViewSettings();
    const std::vector<CPaint*> pieces(doc.m_rootGroup.m_members.begin(), doc.m_rootGroup.m_members.end());
    for (size_t i = 0; i < pieces.size(); i += 7) {
        CPaint* twin = pieces[i]->Clone();
        twin->SetTool(&doc.m_tool);
        doc.m_rootGroup.m_members.push_front(twin);
    }
    doc.m_tool.SettleTrackEnds();
    const Bytes before = SaveFile(doc, folder / "before.cvn");
    for (size_t i = 0; i < pieces.size(); ++i)
        if (i % 5 != 0)
            pieces[i]->Select();
    std::vector<std::uint64_t> digests;
    doc.m_tool.DuplicateSelection();
    digests.push_back(ByteDigest(SaveFile(doc, folder / "part.cvn")));
    doc.m_tool.SelectAll(1);
    doc.m_tool.DuplicateSelection();
    digests.push_back(ByteDigest(SaveFile(doc, folder / "all.cvn")));
    const auto joined = std::ranges::count_if(doc.m_rootGroup.m_members, [](CPaint* member) {
        return static_cast<CParTrack*>(member)->m_bBeginConnected != 0;
    });
    EXPECT_EQ(joined, 234);
    EXPECT_EQ(digests, (std::vector<std::uint64_t>{9635213174838046839ull, 10832426223696486846ull}));
    while (doc.m_tool.GetUndoCount() > 0) doc.m_tool.Undo();
    doc.m_tool.DeselectAll(0, 0);
    EXPECT_EQ(SaveFile(doc, folder / "undone.cvn"), before);
}
