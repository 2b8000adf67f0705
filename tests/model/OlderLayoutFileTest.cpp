#include <gtest/gtest.h>

#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/DefaultTrackKind.h"
#include "platform/base/CWinPath.h"
#include "tests/model/OlderLayoutFileRecords.h"
#include "tests/model/OlderLayoutFileWriter.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "track/CParTrack.h"
#include "track/TrackPieces.h"

namespace {

// A document whose error boxes are kept instead of shown.
class QuietDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_errors.push_back(text); }
    std::vector<CString> m_errors;
};

}  // namespace

TEST(OlderLayoutFile, AVersionOneDefaultTrackFileGivesNewLayoutsItsTrack) {
    RegisterTrackPieces();
    TestFolder folder;
    const CString previousBase = CDataFolders::GetBaseFolder();
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
    constexpr int kNumber = 7;
    OlderLayoutFileWriter file(1);
    file.Int(1);
    WriteOlderTrackRecord(file, kNumber);
    WriteFileBytes(folder / "DefTrack.Dat", file.Bytes());

    QuietDoc doc;
    CDataFolders::SetBaseFolder(previousBase);
    EXPECT_TRUE(doc.m_errors.empty());
    auto* track = dynamic_cast<CParTrack*>(DefaultTrackAsPaint(doc.m_tool.m_pDefaultTrack));
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->m_strName, OlderName(kNumber).c_str());
    EXPECT_EQ(track->m_strPatternFile, "");
    ASSERT_EQ(track->m_points.GetSize(), 3);
    EXPECT_EQ(track->m_points[2], OlderPoint(kNumber, 2));
    EXPECT_EQ(track->m_fGauge, OlderValue(kNumber, 30));
    EXPECT_EQ(track->m_fRoadbedHeight, OlderValue(kNumber, 34));
    EXPECT_EQ(track->m_crTie, static_cast<COLORREF>(OlderInt(kNumber, 36)));
    EXPECT_EQ(track->m_ptEndMarker, (CDoublePoint{OlderValue(kNumber, 46), OlderValue(kNumber, 47)}));
    EXPECT_EQ(track->m_strTrackTexture, "Rails 7.bmp");
    EXPECT_EQ(track->m_fLength, OlderValue(kNumber, 48));
    // The widths and the tunnel came later: the constructor's widths, the tunnel from the gauge.
    EXPECT_EQ(track->m_nRailLineWidth, 1);
    EXPECT_EQ(track->m_fTunnelWidth, 2.0 * OlderValue(kNumber, 30));
    EXPECT_EQ(doc.m_nFileVersion, 17);
}
