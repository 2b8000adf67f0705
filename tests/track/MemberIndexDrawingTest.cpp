#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/CGroup.h"
#include "model/CMemberIndex.h"
#include "tests/support/TestFolder.h"
#include "tests/track/ClipboardDoc.h"
#include "tests/track/LargeLayout.h"
#include "tests/track/PlanWindow.h"
#include "track/TrackPieces.h"

// The groups draw an update rectangle and the selection through the index of their members'
// boxes. Whatever edits came before, the picture is the one a walk over every member draws.

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// One window drawn with the member indexes, one by walking every member.
class IndexedAndWalked {
  public:
    explicit IndexedAndWalked(CCVNDoc& doc) : m_doc(doc) {}
    ~IndexedAndWalked() { CMemberIndex::SetEnabled(true); }

    void SetZoom(double zoom) {
        m_zoom = zoom;
        m_doc.m_tool.SetViewScale(zoom, m_doc.m_fViewScale);
        m_doc.m_tool.UpdateDeviceBounds();
    }

    // The whole window, then each area, then the selection alone: the same pixels each time.
    // Says whether the whole window showed anything but the background.
    bool ExpectSamePictures(const std::vector<CRect>& areas, const std::string& step) {
        ExpectSame(m_indexed.Client(), false, step + ", whole window");
        const std::vector<std::uint32_t> whole = m_indexed.Pixels();
        for (const CRect& area : areas) ExpectSame(area, false, step + ", area");
        ExpectSame(m_indexed.Client(), true, step + ", selection");
        return std::any_of(whole.begin(), whole.end(),
                           [&](std::uint32_t pixel) { return pixel != whole[0]; });
    }

    const CRect& Client() const { return m_indexed.Client(); }

  private:
    void ExpectSame(const CRect& area, bool selectionOnly, const std::string& what) {
        Draw(m_indexed, true, area, selectionOnly);
        Draw(m_walked, false, area, selectionOnly);
        EXPECT_TRUE(m_indexed.Pixels() == m_walked.Pixels()) << what;
    }

    void Draw(PlanWindow& window, bool indexed, const CRect& area, bool selectionOnly) {
        CMemberIndex::SetEnabled(indexed);
        if (selectionOnly)
            window.RepaintSelection(m_doc, m_zoom, area);
        else
            window.RepaintArea(m_doc, m_zoom, area);
        CMemberIndex::SetEnabled(true);
    }

    CCVNDoc& m_doc;
    double m_zoom = 1.0;
    PlanWindow m_indexed{kWidth, kHeight};
    PlanWindow m_walked{kWidth, kHeight};
};

class RandomEdits {
  public:
    RandomEdits(ClipboardDoc& doc, unsigned seed) : m_tool(doc.m_tool), m_random(seed) {}

    // Does one edit of the current group, or undoes one; says which.
    std::string EditOnce() {
        m_tool.ForgetDirtyArea();
        switch (Pick(0, 8)) {
            case 0:
            case 1:
                SelectSome(1, 20);
                m_tool.MoveSelection(Pick(-3000, 3000), Pick(-3000, 3000), 0, 1, 1);
                return "move";
            case 2:
                SelectSome(1, 5);
                m_tool.DeleteSelection(1);
                return "delete";
            case 3:
                SelectSome(1, 10);
                m_tool.CopySelection();
                m_tool.Paste();
                return "paste";
            case 4:
                SelectRun(70, 90);
                m_tool.GroupSelection(1);
                return "group";
            case 5:
                return SelectGroup() && m_tool.UngroupSelection(1) ? "ungroup" : "no group to ungroup";
            case 6:
                return EditGroup();
            case 7:
                m_tool.SelectAll(1);
                return "select all";
            default:
                m_tool.Undo();
                return "undo";
        }
    }

    // The area the last edit marked for drawing again, and a few others.
    std::vector<CRect> Areas(const CRect& client) {
        std::vector<CRect> areas;
        DeviceRect dirty = m_tool.DirtyAreaInView();
        dirty.Normalize();
        dirty.Inflate(1);
        areas.emplace_back(dirty.left, dirty.top, dirty.right, dirty.bottom);
        for (int i = 0; i < 3; ++i) {
            const int x0 = Pick(client.left, client.right), x1 = Pick(client.left, client.right);
            const int y0 = Pick(client.bottom, client.top), y1 = Pick(client.bottom, client.top);
            areas.emplace_back(std::min(x0, x1), std::max(y0, y1), std::max(x0, x1), std::min(y0, y1));
        }
        return areas;
    }

  private:
    int Pick(int least, int most) { return std::uniform_int_distribution<int>(least, most)(m_random); }

    std::vector<CPaint*> Members() const {
        const CMemberList& members = m_tool.GetCurrentGroup()->m_members;
        return std::vector<CPaint*>(members.begin(), members.end());
    }

    void SelectSome(int least, int most) {
        m_tool.DeselectAll(0, 0);
        const std::vector<CPaint*> members = Members();
        if (members.empty())
            return;
        const int count = Pick(least, most);
        for (int i = 0; i < count; ++i)
            members[static_cast<std::size_t>(Pick(0, static_cast<int>(members.size()) - 1))]->Select();
    }

    void SelectRun(int least, int most) {
        m_tool.DeselectAll(0, 0);
        const std::vector<CPaint*> members = Members();
        const int count = std::min(Pick(least, most), static_cast<int>(members.size()));
        const int first = Pick(0, static_cast<int>(members.size()) - count);
        for (int i = first; i < first + count; ++i) members[static_cast<std::size_t>(i)]->Select();
    }

    bool SelectGroup() {
        m_tool.DeselectAll(0, 0);
        for (CPaint* member : Members())
            if (dynamic_cast<CGroup*>(member) != nullptr) {
                member->Select();
                return true;
            }
        return false;
    }

    std::string EditGroup() {
        if (!SelectGroup() || !m_tool.EnterGroupEdit(1))
            return "no group to edit";
        SelectSome(1, 10);
        m_tool.MoveSelection(Pick(-2000, 2000), Pick(-2000, 2000), 0, 1, 1);
        m_tool.DeselectAll(0, 0);
        m_tool.ExitGroupEdit(1);
        return "edit group";
    }

    CTool& m_tool;
    std::mt19937 m_random;
};

class MemberIndexDrawing : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }
};

}  // namespace

TEST_F(MemberIndexDrawing, EditsUndosAndZoomsDrawWhatTheWalkOverEveryMemberDraws) {
    ClipboardDoc doc;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 8, 36);
    doc.ResetViewSettings();
    IndexedAndWalked windows(doc);
    PlanWindow fitting(kWidth, kHeight);
    const double fit = fitting.FittingZoom(doc);
    const double zooms[] = {fit, 2.0 * fit, 0.5};
    RandomEdits edits(doc, 40);
    std::vector<std::string> done;
    for (int step = 0; step < 60; ++step) {
        if (step % 20 == 0)
            windows.SetZoom(zooms[step / 20]);
        const std::string edit = edits.EditOnce();
        done.push_back(edit);
        EXPECT_TRUE(
            windows.ExpectSamePictures(edits.Areas(windows.Client()), std::to_string(step) + " " + edit));
    }
    // The walk saw every kind of edit.
    for (const char* kind :
         {"move", "delete", "paste", "group", "ungroup", "edit group", "select all", "undo"})
        EXPECT_NE(std::find(done.begin(), done.end(), kind), done.end()) << kind;

    // A layout read from its file is drawn alike too.
    TestFolder folder;
    const std::string path = (folder / "edited.cvn").string();
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    ClipboardDoc read;
    ASSERT_TRUE(read.OnOpenDocument(path.c_str()));
    IndexedAndWalked readWindows(read);
    readWindows.SetZoom(fit);
    RandomEdits readEdits(read, 41);
    EXPECT_TRUE(readWindows.ExpectSamePictures(readEdits.Areas(readWindows.Client()), "read"));
}
