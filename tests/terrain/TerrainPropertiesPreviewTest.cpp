#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/CPages.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/gdi/PixelSurface.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/TerrainEditorTemplates.h"
#include "shell/CCVNView.h"
#include "terrain/CMount.h"
#include "terrain/TerrainLengths.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/DialogInput.h"
#include "tests/support/TestPictures.h"

// The preview of a new terrain's properties shows its knot grid as dots, and a new grid
// spacing typed on the "Terrain" tab shows at once in the preview.

namespace {

// The knot dots a preview shows: pixels of the dots' colour with none of that colour around.
struct Dots {
    int count = 0;
    // The most common distance between neighbouring dots of a row, in pixels.
    int spacing = 0;
};

class TerrainPropertiesPreview : public PlanInProgram {
  protected:
    // Draws a terrain outline with the tool: a click per vertex, a double click on the last.
    void DrawTerrain(const std::vector<CPoint>& vertices) {
        Command(ID_TOOL_TERRAIN);
        ClickOutline(plan, vertices);
    }
    Dots DotsInPreview(CWnd& dialog, COLORREF colour) {
        host.RunUntilIdle();
        CWnd* preview = dialog.GetDlgItem(IDC_PROPERTIES_PREVIEW);
        CRect client, frame;
        preview->GetClientRect(&client);
        preview->ClientToScreen(&client);
        dialog.GetWindowRect(&frame);
        const PixelSurface& pixels = *dialog.Surface();
        auto isDot = [&](int x, int y) {
            return ColorFromPixel(pixels.At(x - frame.left, y - frame.top)) == colour;
        };
        Dots dots;
        std::map<int, int> gaps;
        for (int y = client.top + 1; y < client.bottom - 1; ++y) {
            int previous = -1;
            for (int x = client.left + 1; x < client.right - 1; ++x) {
                bool alone = isDot(x, y);
                for (int dy = -1; dy <= 1 && alone; ++dy)
                    for (int dx = -1; dx <= 1 && alone; ++dx)
                        alone = (dx == 0 && dy == 0) || !isDot(x + dx, y + dy);
                if (!alone)
                    continue;
                ++dots.count;
                if (previous >= 0)
                    ++gaps[x - previous];
                previous = x;
            }
        }
        const auto most = std::max_element(gaps.begin(), gaps.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        dots.spacing = most != gaps.end() ? most->first : 0;
        return dots;
    }
    void ClickTab(CWnd& dialog, int index) {
        DialogInput::ClickTab(host, dialog.GetDlgItem(IDC_PROPERTIES_TABS), index);
    }
    void Retype(CWnd* field, const CString& text) { DialogInput::Retype(host, field, text); }
};

}  // namespace

TEST_F(TerrainPropertiesPreview, ThePreviewShowsTheKnotDotsAndFollowsANewGridSpacing) {
    Dots wide, narrow;
    host.WhenModal("properties", [&](CWnd& window) {
        auto& dialog = *dynamic_cast<C2DPropertyDialog*>(&window);
        auto* copy = dynamic_cast<CMount*>(dialog.GetWorkingCopy());
        ASSERT_NE(copy, nullptr);
        ASSERT_NE(copy->m_pEditedTerrain, nullptr);
        // The dots are tested against the outline as the terrain shows it on the plan.
        EXPECT_EQ(copy->m_previewOutline, copy->m_pEditedTerrain->m_outline);
        wide = DotsInPreview(dialog, copy->m_crGrid);
        if (const CString png = TestPicturePath("terrain-preview-wide.png"); !png.IsEmpty())
            host.DumpWindow(&dialog, png);

        ClickTab(dialog, 1);
        CWnd* page = dialog.GetPage(1);
        Retype(page->GetDlgItem(IDC_GRID_SPACING), FormatObjectLength(*copy, copy->m_fGridSpacing / 2.0));
        host.ClickClient(page->GetDlgItem(IDC_BENCHWORK_ELEVATION), CPoint(3, 3));
        narrow = DotsInPreview(dialog, copy->m_crGrid);
        if (const CString png = TestPicturePath("terrain-preview-narrow.png"); !png.IsEmpty())
            host.DumpWindow(&dialog, png);
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    DrawTerrain({{100, 100}, {400, 100}, {400, 300}, {100, 300}});

    EXPECT_GE(wide.count, 12);
    EXPECT_GE(wide.spacing, 6);
    // Half the spacing: dots half as far apart, about four times as many.
    EXPECT_NEAR(narrow.spacing, wide.spacing / 2.0, 1.0);
    EXPECT_GT(narrow.count, 3 * wide.count);
    EXPECT_LT(narrow.count, 5 * wide.count);
    // The terrain on the plan, unselected, shows no dots and keeps no preview outline.
    ASSERT_EQ(ActiveLayout()->m_rootGroup.m_members.size(), 1u);
    auto* terrain = dynamic_cast<CMount*>(ActiveLayout()->m_rootGroup.m_members.front());
    ASSERT_NE(terrain, nullptr);
    EXPECT_EQ(terrain->m_bInPropertiesDialog, 0);
    EXPECT_TRUE(terrain->m_previewOutline.empty());
}
