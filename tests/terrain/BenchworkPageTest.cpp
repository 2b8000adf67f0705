#include <gtest/gtest.h>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CLengthFormat.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/host/HeadlessHost.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CBenchworkPage.h"
#include "terrain/CTerrainEditorDialog.h"
#include "tests/support/DialogInput.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

constexpr int kMillimetres = 8;

class BenchworkPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterDrawingPropertiesDialog();
        plan.host.m_nUnitIndex = kMillimetres;
    }
    void ClickTab(C2DPropertyDialog& dialog, int index) {
        DialogInput::ClickTab(host, dialog.GetDlgItem(IDC_PROPERTIES_TABS), index);
    }
    void Retype(CWnd* control, const CString& text) { DialogInput::Retype(host, control, text); }
    // The page of the dialog's second tab, shown.
    CBenchworkPage& OpenPage(CWnd& window) {
        auto& dialog = *dynamic_cast<C2DPropertyDialog*>(&window);
        EXPECT_EQ(dialog.GetPageCount(), 2);
        ClickTab(dialog, 1);
        auto* page = dynamic_cast<CBenchworkPage*>(dialog.GetPage(1));
        EXPECT_NE(page, nullptr);
        EXPECT_TRUE(page->IsWindowVisible());
        return *page;
    }
    static CString Text(CWnd& page, int id) {
        CString text;
        page.GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    static CString Length(double value) {
        CString text;
        CLengthFormat(kMillimetres).FormatLength(text, value);
        return text;
    }
    // Types the text, leaves the field for another and expects the message, or none.
    void Refused(CBenchworkPage& page, int id, const CString& text, const CString& message) {
        const size_t shown = host.MessageBoxes().size();
        Retype(page.GetDlgItem(id), text);
        host.AnswerMessageBox(IDOK);
        EXPECT_FALSE(page.Validate()) << text;
        ASSERT_EQ(host.MessageBoxes().size(), shown + 1) << text;
        EXPECT_EQ(host.MessageBoxes().back().text, message);
        EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(id));
    }

    HeadlessHost host;
    TerrainPlan plan;
};

}  // namespace

TEST_F(BenchworkPageTest, BenchworkShowsThicknessAndRefusesElevationsOutsideTheRange) {
    auto* bench = plan.Outline<CBenchwork>(Rectangle(0, 0, 3000, 2000));
    bench->m_fElevation = 500.0;
    bench->m_fThickness = 120.0;
    const CString outside = "Please enter a number between 0 and " + Length(32000.0);
    host.WhenModal("Benchwork properties", [&](CWnd& window) {
        CBenchworkPage& page = OpenPage(window);
        EXPECT_TRUE(page.GetDlgItem(IDC_BENCHWORK_THICKNESS)->IsWindowVisible());
        EXPECT_FALSE(page.GetDlgItem(IDC_GRID_SPACING)->IsWindowVisible());
        EXPECT_FALSE(page.GetDlgItem(IDC_OPEN_TERRAIN_EDITOR)->IsWindowVisible());
        EXPECT_EQ(Text(page, IDC_TEXTURE_LABEL), "Benchwork texture:");
        EXPECT_EQ(Text(page, IDC_BENCHWORK_ELEVATION), Length(500.0));
        // A bare number shows again as a length once the field is left.
        Retype(page.GetDlgItem(IDC_BENCHWORK_ELEVATION), "25");
        host.ClickClient(page.GetDlgItem(IDC_BENCHWORK_THICKNESS), CPoint(3, 3));
        EXPECT_EQ(Text(page, IDC_BENCHWORK_ELEVATION), Length(250.0));
        Refused(page, IDC_BENCHWORK_ELEVATION, "-0.1", outside);
        Refused(page, IDC_BENCHWORK_ELEVATION, "3200.01", outside);
        // A refused length stays as typed when the message takes the focus.
        EXPECT_EQ(Text(page, IDC_BENCHWORK_ELEVATION), "3200.01");
        // The page keeps its tab while a value is refused.
        host.AnswerMessageBox(IDOK);
        ClickTab(*dynamic_cast<C2DPropertyDialog*>(&window), 0);
        EXPECT_TRUE(page.IsWindowVisible());
        Retype(page.GetDlgItem(IDC_BENCHWORK_ELEVATION), "3200");
        Refused(page, IDC_BENCHWORK_THICKNESS, "-0.1", outside);
        // A text that is no length is told the unit's forms too.
        Refused(page, IDC_BENCHWORK_THICKNESS, "abc",
                outside + "\n\nType a number of millimeters, as 12.5 or 1e3.");
        Retype(page.GetDlgItem(IDC_BENCHWORK_THICKNESS), "0");
        EXPECT_TRUE(page.Validate());
        host.ClickClient(window.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(bench->EditProperties(nullptr), 1);
    EXPECT_EQ(bench->m_fElevation, 32000.0);
    EXPECT_EQ(bench->m_fThickness, 0.0);
}

TEST_F(BenchworkPageTest, TerrainShowsItsGridControlsAndChecksSpacingAndTextureScale) {
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 6000, 4000), 500.0);
    const int knots = terrain->Grid().GetSize();
    host.WhenModal("Terrain properties", [&](CWnd& window) {
        CBenchworkPage& page = OpenPage(window);
        EXPECT_FALSE(page.GetDlgItem(IDC_BENCHWORK_THICKNESS)->IsWindowVisible());
        EXPECT_FALSE(page.GetDlgItem(IDC_THICKNESS_LABEL)->IsWindowVisible());
        for (int id : {IDC_GRID_SPACING, IDC_OPEN_TERRAIN_EDITOR, IDC_TEXTURE_SCALE, IDC_ALLOW_CONFORM,
                       IDC_FIXED_BORDER})
            EXPECT_TRUE(page.GetDlgItem(id)->IsWindowVisible()) << id;
        EXPECT_EQ(Text(page, IDC_TEXTURE_LABEL), "Terrain texture");
        EXPECT_EQ(Text(page, IDC_GRID_SPACING), Length(500.0));
        EXPECT_EQ(Text(page, IDC_TEXTURE_SCALE), "20");
        Refused(page, IDC_TEXTURE_SCALE, "7.9", "Please enter a number between 1 and 32");
        Refused(page, IDC_TEXTURE_SCALE, "0", "Please enter a number between 1 and 32");
        Refused(page, IDC_TEXTURE_SCALE, "33", "Please enter a number between 1 and 32");
        Refused(page, IDC_TEXTURE_SCALE, "5x", "Please enter a number between 1 and 32");
        Retype(page.GetDlgItem(IDC_TEXTURE_SCALE), "7");
        Refused(page, IDC_GRID_SPACING, "14.9",
                "Please enter a number between " + Length(150.0) + " and " + Length(7500.0));
        Retype(page.GetDlgItem(IDC_GRID_SPACING), "100");
        EXPECT_TRUE(page.Validate());
        host.ClickClient(window.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(terrain->EditProperties(nullptr), 1);
    EXPECT_EQ(terrain->m_fTextureScale, 7.0);
    EXPECT_EQ(terrain->m_fGridSpacing, 1000.0);
    EXPECT_LT(terrain->Grid().GetSize(), knots);
}

TEST_F(BenchworkPageTest, TheTerrainEditorButtonTakesTheSpacingWhichCancelGivesBack) {
    plan.Open3D();
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 6000, 4000), 500.0);
    const std::vector<float> heights = TerrainPlan::Heights(*terrain);
    int editors = 0;
    host.WhenModal("Terrain properties", [&](CWnd& window) {
        CBenchworkPage& page = OpenPage(window);
        Retype(page.GetDlgItem(IDC_GRID_SPACING), "100");
        host.WhenModal("Terrain Editor", [&](CWnd& editor) {
            ++editors;
            // The editor works on the terrain with the page's spacing.
            EXPECT_EQ(terrain->m_fGridSpacing, 1000.0);
            EXPECT_NE(TerrainPlan::Heights(*terrain).size(), heights.size());
            host.ClickClient(editor.GetDlgItem(IDOK), CPoint(5, 5));
        });
        host.ClickClient(page.GetDlgItem(IDC_OPEN_TERRAIN_EDITOR), CPoint(5, 5));
        host.ClickClient(window.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    EXPECT_EQ(terrain->EditProperties(nullptr), 0);
    EXPECT_EQ(editors, 1);
    EXPECT_EQ(terrain->m_fGridSpacing, 500.0);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), heights);
}

// Passing through a field without typing leaves its text as shown and its value exact, even a
// texture scale the field shows whole.
TEST_F(BenchworkPageTest, FieldsLeftUntouchedKeepTheirValuesExactly) {
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 6000, 4000), 500.0);
    terrain->m_fElevation = 10.2327927;
    terrain->m_fGridSpacing = 1234.56789;
    terrain->m_fTextureScale = 2.5;
    std::vector<CString> before, after;
    host.WhenModal("Terrain properties", [&](CWnd& window) {
        CBenchworkPage& page = OpenPage(window);
        for (int id : {IDC_BENCHWORK_ELEVATION, IDC_GRID_SPACING, IDC_TEXTURE_SCALE}) {
            before.push_back(Text(page, id));
            host.ClickClient(page.GetDlgItem(id), CPoint(3, 3));
            host.ClickClient(page.GetDlgItem(IDC_BENCHWORK_TEXTURE), CPoint(3, 3));
            after.push_back(Text(page, id));
        }
        host.ClickClient(window.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_EQ(terrain->EditProperties(nullptr), 1);
    EXPECT_EQ(after, before);
    EXPECT_EQ(before.back(), "3");  // rounded, not cut
    EXPECT_EQ(terrain->m_fElevation, 10.2327927);
    EXPECT_EQ(terrain->m_fGridSpacing, 1234.56789);
    EXPECT_EQ(terrain->m_fTextureScale, 2.5);
}
