#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/RecordReading.h"
#include "model/SettingRanges.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CFileException.h"
#include "platform/gdi/PixelSurface.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CSplashWindow.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/ByteDigest.h"
#include "tests/support/DamagedFiles.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileBytes.h"

// Files that are no layout, and layouts whose settings hold extreme numbers, opened as File >
// Open opens them while a layout is open: each ends, and the open layout stays as it was.

namespace {

constexpr std::chrono::seconds kTimeLimit(60);

class DamagedFile : public PlanInProgram {
  protected:
    CCVNView& View() { return *dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    // The open layout with its grid shown and a straight track piece drawn on it.
    CCVNDoc& LayoutWithGridAndTrack() {
        CCVNDoc& layout = *ActiveLayout();
        layout.m_bGridShown = 1;
        Command(ID_TOOL_STRAIGHT_TRACK);
        host.DragClient(&View(), CPoint(100, 200), CPoint(300, 200), 6);
        Command(ID_TOOL_SELECTOR);
        EXPECT_EQ(layout.m_rootGroup.m_members.size(), 1u);
        layout.InvalidateAllViews();
        host.RunUntilIdle();
        return layout;
    }
    // The pixels the plan view of the active window shows.
    std::uint64_t PlanPicture() {
        CRect plan, main;
        View().GetWindowRect(&plan);
        Main().GetWindowRect(&main);
        plan.OffsetRect(-main.left, -main.top);
        const PixelSurface& pixels = *Main().Surface();
        std::vector<BYTE> bytes;
        for (int y = plan.top; y < plan.bottom; ++y) {
            const auto* row = reinterpret_cast<const BYTE*>(pixels.Row(y) + plan.left);
            bytes.insert(bytes.end(), row, row + plan.Width() * sizeof(std::uint32_t));
        }
        return ByteDigest(bytes);
    }
    FileBytes SavedBytes(CCVNDoc& layout, const char* name) {
        EXPECT_TRUE(layout.OnSaveDocument((folder / name).c_str()));
        return ReadFileBytes(folder / name);
    }
};

// The framework's message for a file it could not read, whatever the reader stumbled on.
bool IsFileErrorOf(const CString& text, const std::filesystem::path& path) {
    for (int cause : {CArchiveException::generic, CArchiveException::endOfFile, CArchiveException::badIndex,
                      CArchiveException::badClass, CArchiveException::badSchema})
        if (CArchiveException(cause, CString(path.c_str())).GetErrorMessage() == text)
            return true;
    return false;
}

// The settings of a layout are those a file may give.
void ExpectSettingsInRange(const CCVNDoc& layout) {
    for (double side : {layout.m_fPageWidth, layout.m_fPageHeight}) {
        EXPECT_GE(side, 1.0);
        EXPECT_LE(side, kLargestCoordinate);
    }
    for (double scale : {layout.m_fViewScale, layout.m_fViewScaleCopy}) {
        EXPECT_GE(scale, 1.0);
        EXPECT_LE(scale, kLargestViewScale);
        EXPECT_LE(std::max(layout.m_fPageWidth, layout.m_fPageHeight) / scale, kLargestScaledSide);
    }
    EXPECT_GE(layout.m_fPrintScale, kLeastPrintScale);
    EXPECT_LE(layout.m_fPrintScale, kLargestPrintScale);
    const CTool& tool = layout.m_tool;
    for (double zoom : {tool.m_fZoomNumerator, tool.m_fZoomDenominator, tool.m_fZoomRatio}) {
        EXPECT_GT(zoom, 0.0);
        EXPECT_TRUE(std::isfinite(zoom));
    }
    EXPECT_LE(tool.m_fHandleSize, CTool::kLargestHandleSize);
    EXPECT_LE(tool.m_fSnapDistance, kLargestCoordinate);
    for (double limit : {layout.m_limits.maxConnectionDistance, layout.m_limits.maxElevationGap,
                         layout.m_limits.maxGrade, layout.m_limits.maxAngle, layout.m_limits.bendLimit})
        EXPECT_TRUE(std::isfinite(limit));
}

// Where each double of the document's and the engine's settings lies in the saved layout:
// the layout saved with a marker in every one of them.
std::vector<std::size_t> SettingOffsets(const FileBytes& marked, const std::vector<double>& markers) {
    std::vector<std::size_t> offsets;
    for (double marker : markers) {
        BYTE pattern[sizeof(double)];
        std::memcpy(pattern, &marker, sizeof pattern);
        const auto found = std::search(marked.begin(), marked.end(), std::begin(pattern), std::end(pattern));
        EXPECT_NE(found, marked.end()) << marker;
        if (found != marked.end())
            offsets.push_back(static_cast<std::size_t>(found - marked.begin()));
    }
    return offsets;
}

}  // namespace

TEST_F(DamagedFile, TextAndRandomBytesFailWithTheFileErrorAndTheOpenLayoutStaysAsItWas) {
    CCVNDoc& open = LayoutWithGridAndTrack();
    const FileBytes before = SavedBytes(open, "before.cvn");
    const std::uint64_t picture = PlanPicture();
    const std::size_t windows = Main().MDIChildren().size();
    const Deadline deadline(kTimeLimit, "Opening damaged layout files");
    for (const FileBytes& content : DamagedContents()) {
        const std::filesystem::path path = folder / "damaged.cvn";
        WriteFileBytes(path, content);
        std::uint64_t behindTheBox = 0;
        host.WhenModal("", [&](CWnd& box) {
            behindTheBox = PlanPicture();
            box.EndModalLoop(IDOK);
        });
        EXPECT_EQ(app.OpenDocumentFile(path.c_str()), nullptr);
        ASSERT_FALSE(host.MessageBoxes().empty());
        EXPECT_TRUE(IsFileErrorOf(host.MessageBoxes().back().text, path)) << host.MessageBoxes().back().text;
        EXPECT_EQ(behindTheBox, picture);
        EXPECT_EQ(Main().MDIChildren().size(), windows);
        EXPECT_EQ(ActiveLayout(), &open);
        EXPECT_EQ(PlanPicture(), picture);
    }
    EXPECT_EQ(host.MessageBoxes().size(), DamagedContents().size());
    EXPECT_EQ(SavedBytes(open, "after.cvn"), before);
}

// A FIFO named like a layout is refused at once with the file error, instead of waiting for a
// writer with the window frozen; the open layout stays.
TEST_F(DamagedFile, AFifoNamedLikeALayoutIsRefusedAtOnce) {
    CCVNDoc& open = LayoutWithGridAndTrack();
    const std::filesystem::path pipe = folder / "x.cvn";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const Deadline deadline(kTimeLimit, "Opening a FIFO as a layout");
    host.WhenModal("", [](CWnd& box) { box.EndModalLoop(IDOK); });
    EXPECT_EQ(app.OpenDocumentFile(pipe.c_str()), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes().back().text,
              CFileException(CFileException::accessDenied, EACCES, CString(pipe.c_str())).GetErrorMessage());
    EXPECT_EQ(ActiveLayout(), &open);
    EXPECT_EQ(open.m_rootGroup.m_members.size(), 1u);
}

// Every double of the document's and the engine's settings in turn set to each extreme: the
// layout opens with its settings in range, and its plan, grid and track, is painted as that of
// the layout without the extreme (its window's rulers with it); the layout open meanwhile stays
// as it was.
TEST_F(DamagedFile, ExtremeNumbersInTheSettingsOpenInRangeAndPaint) {
    CCVNDoc& open = LayoutWithGridAndTrack();
    CTool& tool = open.m_tool;
    const std::vector<double*> fields = {&open.m_fPageWidth,
                                         &open.m_fPageHeight,
                                         &open.m_fViewScale,
                                         &open.m_fViewScaleCopy,
                                         &open.m_fPrintScale,
                                         &open.m_limits.maxConnectionDistance,
                                         &open.m_limits.maxElevationGap,
                                         &open.m_limits.maxGrade,
                                         &open.m_limits.maxAngle,
                                         &open.m_limits.bendLimit,
                                         &tool.m_fZoomNumerator,
                                         &tool.m_fZoomDenominator,
                                         &tool.m_fZoomRatio,
                                         &tool.m_fHandleSize,
                                         &tool.m_fSnapDistance};
    std::vector<double> kept, markers;
    for (double* field : fields) {
        kept.push_back(*field);
        markers.push_back(7777.0 + 0.125 * static_cast<double>(markers.size()));
        *field = markers.back();
    }
    const FileBytes marked = SavedBytes(open, "marked.cvn");
    for (std::size_t i = 0; i < fields.size(); ++i) *fields[i] = kept[i];
    const FileBytes valid = SavedBytes(open, "valid.cvn");
    ASSERT_EQ(valid.size(), marked.size());
    const std::vector<std::size_t> offsets = SettingOffsets(marked, markers);
    ASSERT_EQ(offsets.size(), fields.size());

    const std::uint64_t picture = PlanPicture();
    const std::filesystem::path path = folder / "extreme.cvn";
    // Opens the bytes as a layout and answers how its plan window is painted, after checking
    // the layout's settings; the window is then closed.
    const auto openAndPaint = [&](const FileBytes& bytes) {
        WriteFileBytes(path, bytes);
        auto* layout = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(path.c_str()));
        host.RunUntilIdle();
        EXPECT_NE(layout, nullptr);
        if (layout == nullptr)
            return std::uint64_t{0};
        EXPECT_EQ(ActiveLayout(), layout);
        ExpectSettingsInRange(*layout);
        const std::uint64_t painted = PlanPicture();
        layout->OnCloseDocument();
        host.RunUntilIdle();
        EXPECT_EQ(ActiveLayout(), &open);
        return painted;
    };
    const std::uint64_t validPicture = openAndPaint(valid);
    const double extremes[] = {1e300, -1e300, 1e-300, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()};
    const Deadline deadline(kTimeLimit, "Opening and painting layouts of extreme settings");
    for (std::size_t offset : offsets)
        for (double extreme : extremes) {
            FileBytes bytes = valid;
            std::memcpy(bytes.data() + offset, &extreme, sizeof extreme);
            // The extreme takes the value a valid layout would hold there, or is never drawn.
            EXPECT_EQ(openAndPaint(bytes), validPicture) << offset << " " << extreme;
        }
    EXPECT_EQ(PlanPicture(), picture);
    for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(*fields[i], kept[i]) << i;
}
