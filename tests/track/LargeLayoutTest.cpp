#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/ByteDigest.h"
#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "track/CParTrack.h"
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
// the engine's member walks were made faster.
TEST_F(LargeLayoutTest, ThePlanIsDrawnPixelForPixelAsBefore) {
    QuietDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 8, 36);
    doc.ResetViewSettings();
    VaryTheLook(doc);
    PlanWindow window(800, 600);
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
