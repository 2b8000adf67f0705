#include <gtest/gtest.h>

#include <cmath>

#include "drawing/C2DPropertyDialog.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "platform/ctl/CEdit.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/win/MessageBoxes.h"
#include "resources/TerrainEditorTemplates.h"
#include "terrain/CBenchworkPage.h"
#include "terrain/CTerrainEditorDialog.h"
#include "tests/support/DialogInput.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

class TerrainEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterDrawingPropertiesDialog();
        plan.Open3D();
        terrain = plan.Terrain(Rectangle(-300, -300, 6300, 6300), 1000.0);
        terrain->m_bFixedBorder = 0;
        terrain->RebuildGrid();
        before = TerrainPlan::Heights(*terrain);
    }
    static CTerrainEditorDialog& Editor(CWnd& window) {
        return *dynamic_cast<CTerrainEditorDialog*>(&window);
    }
    // The screen point of a knot's vertex in the preview.
    CPoint KnotOnScreen(CTerrainEditorDialog& editor, int knot) {
        CTerrainPreviewWnd& preview = editor.Preview();
        r3d::Vec3 vertex;
        EXPECT_TRUE(preview.GetTerrainClump()->GetVertex(knot + 1, vertex));
        const auto pixel =
            preview.GetCamera()->Project(preview.GetTerrainClump()->WorldMatrix().TransformPoint(vertex));
        EXPECT_TRUE(pixel.has_value());
        CPoint point(static_cast<int>(std::lround(pixel->x)), static_cast<int>(std::lround(pixel->y)));
        preview.ClientToScreen(&point);
        return point;
    }
    void Click(CWnd& dialog, int id) { host.ClickClient(dialog.GetDlgItem(id), CPoint(4, 4)); }
    void Retype(CWnd* control, const CString& text) { DialogInput::Retype(host, control, text); }
    static int CountRed(const r3d::Raster& picture) {
        int red = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const r3d::Raster::Rgb p = picture.Pixel(x, y);
                red += p.r > 120 && p.g < 60 && p.b < 60;
            }
        return red;
    }
    // The colour of the preview's frame, as the dialog's window shows it.
    static COLORREF FramePixel(CWnd& dialog, CWnd& preview) {
        CRect outer, frame;
        dialog.GetWindowRect(&outer);
        preview.GetWindowRect(&frame);
        return ColorFromPixel(dialog.Surface()->At(frame.left - outer.left, frame.top - outer.top + 5));
    }
    static std::vector<r3d::Raster::Rgb> Pixels(const r3d::Raster& picture) {
        std::vector<r3d::Raster::Rgb> pixels;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) pixels.push_back(picture.Pixel(x, y));
        return pixels;
    }
    static int CountDark(const r3d::Raster& picture) {
        int dark = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const r3d::Raster::Rgb p = picture.Pixel(x, y);
                dark += p.g < 200 && p.r < 100;
            }
        return dark;
    }

    HeadlessHost host;
    TerrainPlan plan;
    CMount* terrain = nullptr;
    std::vector<float> before;
};

}  // namespace

TEST_F(TerrainEditorTest, ScreenDirectionsTurnWithTheViewAndTheElasticPercentIsClamped) {
    constexpr double pi = 3.14159265358979323846;
    for (int d = 0; d < 4; ++d) EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, 0.0), d);
    const int quarter[] = {3, 2, 0, 1}, half[] = {1, 0, 3, 2}, threeQuarters[] = {2, 3, 1, 0};
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, pi / 2.0), quarter[d]);
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, 3.0 * pi / 4.0), quarter[d]);
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, pi), half[d]);
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, 3.0 * pi / 2.0), threeQuarters[d]);
        // A yaw of minus a quarter turn is three quarters.
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, -pi / 2.0), threeQuarters[d]);
        EXPECT_EQ(CTerrainEditorDialog::GridDirection(d, 7.0 * pi / 4.0), d);
    }

    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        EXPECT_EQ(editor.m_elastic.m_text, "25");
        auto* elastic = editor.GetDlgItem(IDC_ELASTIC_PERCENT);
        // A share beyond all or none of the grid is refused naming the range, and kept out.
        for (const char* typed : {"150", "-5", "1e30", "12.5"}) {
            Retype(elastic, typed);
            host.AnswerMessageBox(IDOK);
            Click(editor, IDC_KNOT_ELEVATION);
            EXPECT_EQ(host.MessageBoxes().back().text, "Please enter an integer between 0 and 100.") << typed;
            EXPECT_EQ(CWnd::GetFocus(), elastic) << typed;
            EXPECT_EQ(editor.GetElasticFraction(), 0.25) << typed;
        }
        CString text;
        // Kept as a fraction, a whole percent shows again as typed, never a percent less.
        for (auto [typed, fraction] : {std::pair{"100", 1.0}, std::pair{"0", 0.0}, std::pair{"29", 0.29},
                                       std::pair{"57", 0.57}, std::pair{"58", 0.58}}) {
            Retype(elastic, typed);
            Click(editor, IDC_KNOT_ELEVATION);
            EXPECT_EQ(editor.GetElasticFraction(), fraction);
            editor.GetDlgItemText(IDC_ELASTIC_PERCENT, text);
            EXPECT_EQ(text, typed);
        }
        Click(editor, IDCANCEL);
    });
    RunTerrainEditor(*terrain, terrain->m_nCentreKnot, nullptr, FALSE);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

TEST_F(TerrainEditorTest, AKnotPickedDraggedTypedAndSteppedToEndsAsOneUndoableStep) {
    const int steps = plan.tool.GetUndoCount();
    const int centre = terrain->m_nCentreKnot;
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        CTerrainPreviewWnd& preview = editor.Preview();
        // Typed away and back to the height it showed, the field takes back its own edits.
        const std::vector<float> opened = TerrainPlan::Heights(*terrain);
        CString shown;
        editor.GetDlgItemText(IDC_KNOT_ELEVATION, shown);
        Retype(editor.GetDlgItem(IDC_KNOT_ELEVATION), "2");
        Click(editor, IDC_ELASTIC_PERCENT);
        EXPECT_NE(TerrainPlan::Heights(*terrain), opened);
        Retype(editor.GetDlgItem(IDC_KNOT_ELEVATION), shown);
        Click(editor, IDC_ELASTIC_PERCENT);
        EXPECT_EQ(TerrainPlan::Heights(*terrain), opened);
        EXPECT_EQ(editor.EditList().GetCount(), 0);
        // The mesh in dark lines and the red ball on the centre knot.
        preview.Invalidate(FALSE);
        preview.UpdateWindow();
        const r3d::Raster& picture = preview.GetCamera()->Picture();
        EXPECT_GT(CountRed(picture), 20);
        EXPECT_GT(CountDark(picture), 200);
        EXPECT_FALSE(editor.GetDlgItem(IDC_ROLL_BACK)->IsWindowEnabled());

        // Pick a knot next to the centre by its picture.
        const int picked = terrain->Grid()[centre].links[0];
        const CPoint at = KnotOnScreen(editor, picked);
        host.MouseDown(at);
        EXPECT_EQ(editor.GetSelectedKnot(), picked);
        EXPECT_TRUE(preview.IsDragging());
        // Dragged up by 30 pixels, the knot rises and its neighbours follow.
        host.MouseMove(CPoint(at.x, at.y - 30));
        host.MouseUp(CPoint(at.x, at.y - 30));
        EXPECT_FALSE(preview.IsDragging());
        const float raised = terrain->Grid()[picked].z;
        EXPECT_GT(raised, 100.0f);
        EXPECT_GT(terrain->Grid()[centre].z, 18.0f);
        EXPECT_LT(terrain->Grid()[centre].z, raised);
        ASSERT_EQ(editor.EditList().GetCount(), 1);
        EXPECT_EQ(editor.EditList()[0].group, 1);
        EXPECT_TRUE(editor.GetDlgItem(IDC_ROLL_BACK)->IsWindowEnabled());
        // The ball went up with the knot.
        r3d::Vec3 vertex;
        preview.GetTerrainClump()->GetVertex(picked + 1, vertex);
        EXPECT_NEAR(preview.GetMarker()->Position().y, vertex.y, 1e-4);

        // The arrow buttons and keys step to the neighbours.
        Click(editor, IDC_SELECT_RIGHT);
        const CGrideKnot& right = terrain->Grid()[editor.GetSelectedKnot()];
        EXPECT_EQ(right.x, terrain->Grid()[picked].x + 1.0f);
        EXPECT_EQ(right.y, terrain->Grid()[picked].y);
        host.PressKey(VK_UP);
        EXPECT_EQ(terrain->Grid()[editor.GetSelectedKnot()].y, right.y + 1.0f);
        host.PressKey(VK_LEFT);
        EXPECT_EQ(terrain->Grid()[editor.GetSelectedKnot()].x, right.x - 1.0f);

        // A typed elevation with nothing nearby changing.
        host.ClickClient(editor.GetDlgItem(IDC_CHANGE_SELECTED_ONLY), CPoint(3, 3));
        const int typed = editor.GetSelectedKnot();
        const std::vector<float> now = TerrainPlan::Heights(*terrain);
        Retype(editor.GetDlgItem(IDC_KNOT_ELEVATION), "2");
        Click(editor, IDC_ELASTIC_PERCENT);
        double two = 0.0;
        EXPECT_TRUE(CLengthFormat(kDefaultUnitIndex).ReadTypedLength("2", two));
        EXPECT_NEAR(terrain->Grid()[typed].z, two, 0.01);
        int changed = 0;
        for (int k = 0; k < terrain->Grid().GetSize(); ++k) changed += terrain->Grid()[k].z != now[k];
        EXPECT_EQ(changed, 1);
        EXPECT_EQ(editor.EditList().GetCount(), 2);
        EXPECT_FALSE(static_cast<CEdit*>(editor.GetDlgItem(IDC_KNOT_ELEVATION))->GetModify());
        // One typed and confirmed with Enter, the field never left, is taken as well.
        Retype(editor.GetDlgItem(IDC_KNOT_ELEVATION), "3");
        host.PressKey(VK_RETURN);
        EXPECT_NEAR(terrain->Grid()[typed].z, 1.5 * two, 0.01);
    });
    RunTerrainEditor(*terrain, centre, nullptr, FALSE);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 3);
    const std::vector<float> edited = TerrainPlan::Heights(*terrain);
    ASSERT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.Undo();
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 0);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
    EXPECT_NE(edited, before);
}

TEST_F(TerrainEditorTest, RollBackResetCancelAndAnUnchangedOk) {
    const int steps = plan.tool.GetUndoCount();
    const int centre = terrain->m_nCentreKnot;
    // Cancel after a drag and a reset leaves every knot as it was.
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        const CPoint at = KnotOnScreen(editor, centre);
        host.KeyDown(VK_CONTROL);
        host.MouseDown(at);
        host.KeyUp(VK_CONTROL);
        host.MouseMove(CPoint(at.x, at.y - 40));
        host.MouseUp(CPoint(at.x, at.y - 40));
        EXPECT_GT(terrain->Grid()[centre].z, 100.0f);
        Click(editor, IDC_RESET_TERRAIN);
        EXPECT_EQ(editor.EditList().GetCount(), 2);
        EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
        Click(editor, IDCANCEL);
    });
    RunTerrainEditor(*terrain, centre, nullptr, FALSE);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 0);

    // A drag rolled back disables its button; the knots come back, and an OK then adds nothing.
    // Without Ctrl a click on the ball, which covers its knot, picks nothing.
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        const CPoint at = KnotOnScreen(editor, centre);
        host.MouseDown(at);
        EXPECT_FALSE(editor.Preview().IsDragging());
        host.MouseUp(at);
        host.AdvanceClock(1000);
        host.KeyDown(VK_CONTROL);
        host.MouseDown(at);
        host.KeyUp(VK_CONTROL);
        host.MouseMove(CPoint(at.x, at.y - 40));
        host.MouseUp(CPoint(at.x, at.y - 40));
        EXPECT_TRUE(editor.GetDlgItem(IDC_ROLL_BACK)->IsWindowEnabled());
        Click(editor, IDC_ROLL_BACK);
        EXPECT_FALSE(editor.GetDlgItem(IDC_ROLL_BACK)->IsWindowEnabled());
        EXPECT_EQ(editor.EditList().GetCount(), 0);
        // Recomputed from the base heights: the drag does not stay, nor count twice.
        EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
        Click(editor, IDOK);
    });
    RunTerrainEditor(*terrain, centre, nullptr, FALSE);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
}

TEST_F(TerrainEditorTest, OkKeepsTheElasticDistanceAndFalloffForTheNextKnotDragOnThePlan) {
    const int centre = terrain->m_nCentreKnot;
    terrain->m_fDragHeight = 500.0;
    CTerrainEdit proposed;
    const auto noteProposal = [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        ASSERT_EQ(editor.EditList().GetCount(), 1);
        proposed = editor.EditList()[0];
        Click(editor, IDCANCEL);
    };
    // A knot drag on the plan proposes its edit with the terrain's settings.
    host.WhenModal("Terrain Editor", noteProposal);
    RunTerrainEditor(*terrain, centre, nullptr, TRUE);
    const CTerrainEdit atFirst = proposed;
    EXPECT_EQ(atFirst.mode, 0);

    // Cancel forgets what was typed; OK keeps it.
    for (const int button : {IDCANCEL, IDOK}) {
        host.WhenModal("Terrain Editor", [&](CWnd& window) {
            CTerrainEditorDialog& editor = Editor(window);
            Retype(editor.GetDlgItem(IDC_ELASTIC_PERCENT), "60");
            Click(editor, IDC_FALLOFF_CUBICAL);
            Click(editor, button);
        });
        RunTerrainEditor(*terrain, centre, nullptr, FALSE);
        EXPECT_EQ(terrain->m_fElastic, button == IDOK ? 0.6 : 0.25);
        EXPECT_EQ(terrain->m_nFalloffMode, button == IDOK ? 1 : 0);
    }
    EXPECT_EQ(terrain->m_newEdits.GetCount(), 0);
    // Enter takes a percentage typed into the field it never left.
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        Retype(Editor(window).GetDlgItem(IDC_ELASTIC_PERCENT), "40");
        host.PressKey(VK_RETURN);
    });
    RunTerrainEditor(*terrain, centre, nullptr, FALSE);
    EXPECT_EQ(terrain->m_fElastic, 0.4);
    terrain->m_fElastic = 0.6;

    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        EXPECT_EQ(editor.m_elastic.m_text, "60");
        EXPECT_TRUE(editor.IsDlgButtonChecked(IDC_FALLOFF_CUBICAL));
        noteProposal(window);
    });
    RunTerrainEditor(*terrain, centre, nullptr, TRUE);
    EXPECT_EQ(proposed.mode, 1);
    EXPECT_NEAR(proposed.radius, atFirst.radius * 0.6 / 0.25, 1e-3);
    EXPECT_EQ(proposed.dz, atFirst.dz);
}

TEST_F(TerrainEditorTest, AFixedBorderKnotIsSelectedButNotDragged) {
    terrain->m_bFixedBorder = 1;
    terrain->RebuildGrid();
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        const auto* elevation = static_cast<CEdit*>(editor.GetDlgItem(IDC_KNOT_ELEVATION));
        EXPECT_FALSE(elevation->IsReadOnly());
        int selected = 0;
        for (int border = terrain->InnerKnotCount(); border < terrain->Grid().GetSize(); ++border) {
            // A little inside the mesh from the border knot.
            const CPoint edge = KnotOnScreen(editor, border),
                         middle = KnotOnScreen(editor, terrain->m_nCentreKnot);
            const double length = std::hypot(middle.x - edge.x, middle.y - edge.y);
            const CPoint at(edge.x + static_cast<int>(std::lround(2.0 * (middle.x - edge.x) / length)),
                            edge.y + static_cast<int>(std::lround(2.0 * (middle.y - edge.y) / length)));
            host.AdvanceClock(1000);
            host.MouseDown(at);
            if (editor.GetSelectedKnot() != border) {
                host.MouseUp(at);
                continue;
            }
            ++selected;
            EXPECT_FALSE(editor.Preview().IsDragging());
            // Its height only shows: nothing typed there could move it.
            EXPECT_TRUE(elevation->IsReadOnly());
            host.MouseMove(CPoint(at.x, at.y - 40));
            host.MouseUp(CPoint(at.x, at.y - 40));
        }
        EXPECT_GT(selected, 0);
        EXPECT_EQ(editor.EditList().GetCount(), 0);
        Click(editor, IDOK);
    });
    RunTerrainEditor(*terrain, terrain->m_nCentreKnot, nullptr, FALSE);
    EXPECT_EQ(TerrainPlan::Heights(*terrain), before);
}

TEST_F(TerrainEditorTest, HoldingRotateRightTurnsTwentyTicksOfThreeDegreesInASecond) {
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        const double yaw = editor.Preview().GetYaw();
        CWnd* right = editor.GetDlgItem(IDC_ROTATE_RIGHT);
        CPoint inside(4, 4);
        right->ClientToScreen(&inside);
        host.MouseDown(inside);
        host.AdvanceClock(1000);
        host.MouseUp(inside);
        EXPECT_NEAR(editor.Preview().GetYaw() - yaw, -60.0, 1e-9);
        // A click turns one step.
        Click(editor, IDC_ROTATE_LEFT);
        EXPECT_NEAR(editor.Preview().GetYaw() - yaw, -57.0, 1e-9);
        // Home turns back to the terrain's own angle.
        host.ClickClient(&editor.Preview(), CPoint(2, 2));
        host.PressKey(VK_HOME);
        EXPECT_NEAR(editor.Preview().GetYaw(), yaw, 1e-9);
        Click(editor, IDCANCEL);
    });
    RunTerrainEditor(*terrain, terrain->m_nCentreKnot, nullptr, FALSE);
}

TEST_F(TerrainEditorTest, TheKeysOfThePreviewMoveItsCameraAndItsFrameShowsTheFocus) {
    host.WhenModal("Terrain Editor", [&](CWnd& window) {
        CTerrainEditorDialog& editor = Editor(window);
        CTerrainPreviewWnd& preview = editor.Preview();
        r3d::Camera& camera = *preview.GetCamera();
        // The picture has the keys first; another field takes them and greys the frame.
        EXPECT_EQ(CWnd::GetFocus(), &preview);
        EXPECT_EQ(FramePixel(window, preview), RGB(0, 0, 0));
        host.ClickClient(editor.GetDlgItem(IDC_ELASTIC_PERCENT), CPoint(3, 3));
        EXPECT_EQ(FramePixel(window, preview), GetSysColor(COLOR_BTNSHADOW));
        host.ClickClient(&preview, CPoint(2, 2));
        ASSERT_EQ(CWnd::GetFocus(), &preview);
        EXPECT_EQ(FramePixel(window, preview), RGB(0, 0, 0));
        const r3d::Vec3 start = camera.Position(), ahead = camera.Forward();
        host.PressKey(VK_PRIOR);
        EXPECT_NEAR(r3d::Dot(camera.Position() - start, camera.Up()), 0.1f, 1e-5f);
        EXPECT_NEAR(r3d::Length(camera.Position() - start), 0.1f, 1e-5f);
        host.PressKey(VK_NEXT);
        EXPECT_NEAR(r3d::Length(camera.Position() - start), 0.0f, 1e-5f);
        host.PressKey(VK_UP);
        EXPECT_NEAR(r3d::Length(camera.Position() - start), 0.1f, 1e-5f);
        EXPECT_GT(r3d::Dot(camera.Position() - start, ahead), 0.0f);
        host.PressKey(VK_DOWN);
        EXPECT_NEAR(r3d::Length(camera.Position() - start), 0.0f, 1e-5f);
        // Left turns the view, so the picture changes; the dialog's arrows stay with the picture.
        const std::vector<r3d::Raster::Rgb> before = Pixels(camera.Picture());
        const int knot = editor.GetSelectedKnot();
        host.PressKey(VK_LEFT);
        EXPECT_EQ(CWnd::GetFocus(), &preview);
        EXPECT_EQ(editor.GetSelectedKnot(), knot);
        EXPECT_LT(r3d::Dot(camera.Forward(), ahead), 1.0f - 1e-5f);
        EXPECT_NE(Pixels(camera.Picture()), before);
        // End is not the preview's: the camera stays.
        const r3d::Vec3 placed = camera.Position();
        host.PressKey(VK_END);
        EXPECT_EQ(camera.Position(), placed);
        Click(editor, IDCANCEL);
    });
    RunTerrainEditor(*terrain, terrain->m_nCentreKnot, nullptr, FALSE);
}
