#include <fstream>
#include <functional>

#include "platform/base/FileSystemText.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CPropertyPage.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/LayerPropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TextPropertiesTemplate.h"
#include "resources/ToolParametersTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "terrain/CBenchwork.h"
#include "terrain/CMount.h"
#include "tests/app/DialogsInProgram.h"
#include "tools/datagen/DataPictures.h"
#include "track/CParTrack.h"
#include "view3d/C3D.h"
#include "view3d/CSprite.h"

// The settings a layout file keeps, changed through the dialogs and commands that change them:
// confirmed untouched they leave the layout as it was, changed they mark it modified.

namespace {

class ConfirmedSettings : public DialogsInProgram {
  protected:
    void SetUp() override {
        DialogsInProgram::SetUp();
        DrawLine();
        Layout().SetModifiedFlag(FALSE);
    }

  public:
    void ClickLayerCell(CWnd& dialog, int row, int column) {
        auto& list = *static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_LAYER_LIST));
        CRect cell;
        ASSERT_TRUE(list.GetSubItemRect(row, column, LVIR_BOUNDS, &cell));
        host.ClickClient(&list, cell.CenterPoint());
    }
};

// A change that types the text into the field.
std::function<void(ConfirmedSettings&, CWnd&)> Retyped(UINT field, const char* text) {
    return [field, text](ConfirmedSettings& t, CWnd& page) { t.Retype(page, field, text); };
}

// What an object of the class holds before its dialog opens: a file may hold what a person may not
// type, and what the dialog shows rounded.
template <class Object>
std::function<void(CPaint&)> Holding(std::function<void(Object&)> set) {
    return [set](CPaint& object) { set(static_cast<Object&>(object)); };
}

}  // namespace

constexpr UINT kNote = 1202;
constexpr UINT kPropertiesTabs = 1214;

// The properties dialog of every class a layout stores, opened on an object made as a person
// makes it: Enter at once (or OK, where Enter is a new line of the text) changes no byte and
// leaves the layout unmodified; a note typed marks it modified.
TEST_F(ConfirmedSettings, UntouchedPropertiesChangeNothingAndAChangeMarksTheLayout) {
    struct Change {
        const char* className;
        const char* caption;
        UINT field;
        const char* typed;
        bool enterIsANewLine = false;
        std::function<void(CPaint&)> load = {};
        // The tab of the page the loaded values show on, turned to before Enter.
        int tab = 0;
    };
    const Change changes[] = {
        {"CLine", "2D Object properties", kNote, "a"},
        {"CBox", "2D Object properties", kNote, "a"},
        {"CRoundBox", "2D Object properties", kNote, "a"},
        {"CArc", "2D Object properties", kNote, "a"},
        {"CSketch", "2D Object properties", kNote, "a"},
        {"CPolygon", "2D Object properties", kNote, "a"},
        {"CSpline", "2D Object properties", kNote, "a"},
        {"CSizeLine", "2D Object properties", kNote, "a"},
        {"CSizeAngle", "2D Object properties", kNote, "a"},
        {"CCamera", "2D Object properties", kNote, "a"},
        {"CLineMeasure", "Font", edt3, "36"},
        {"CBoxMeasure", "Font", edt3, "36"},
        {"CTextBox", "Text properties", IDC_TEXT_EDIT, "a", true},
        {"CBMP", "Picture properties", kNote, "a"},
        {"C3D", "3D Objects properties", kNote, "a", false,
         Holding<C3D>([](C3D& o) { o.m_fElevation = 50000.0, o.m_fHeight = 1234.5678; })},
        {"CSprite", "3D Bitmap properties", kNote, "a", false,
         Holding<CSprite>([](CSprite& o) { o.m_fElevation = 40000.25; })},
        {"CTrack", "Track properties", kNote, "a", false,
         Holding<CParTrack>([](CParTrack& o) { o.m_fBeginElevation = 700000.0; })},
        {"CCircTrack", "Track properties", kNote, "a", false,
         Holding<CParTrack>([](CParTrack& o) { o.m_fTieSpacing = 700000.0; })},
        {"CArcTrack", "Track properties", kNote, "a"},
        {"CSplineTrack", "Track properties", kNote, "a"},
        {"CBenchwork", "Benchwork properties", kNote, "a", false,
         Holding<CBenchwork>([](CBenchwork& o) { o.m_fElevation = 33000.5, o.m_fThickness = 123.45678; }), 1},
        {"CMount", "Terrain properties", kNote, "a", false, Holding<CMount>([](CMount& o) {
             o.m_fElevation = 40000.0, o.m_fGridSpacing = 8000.0, o.m_fTextureScale = 2.5;
         }),
         1},
        {"CGroup", "Group properties", kNote, "a"},
    };
    BuildEveryClass();
    std::set<std::string> walked;
    for (CPaint* member : std::vector<CPaint*>(Members().begin(), Members().end())) {
        const std::string className = member->GetClassName().c_str();
        const auto change = std::find_if(std::begin(changes), std::end(changes),
                                         [&](const Change& row) { return className == row.className; });
        ASSERT_NE(change, std::end(changes)) << className;
        SCOPED_TRACE(className);
        walked.insert(className);
        if (change->load)
            change->load(*member);
        Layout().m_tool.DeselectAll(0, 0);
        member->SelectWithUndo(0, 0);
        Layout().SetModifiedFlag(FALSE);
        const std::vector<BYTE> before = Stored(Layout());
        const size_t boxes = host.MessageBoxes().size();
        host.WhenModal(change->caption, [&](CWnd& dialog) {
            if (change->tab > 0)
                DialogInput::ClickTab(host, dialog.GetDlgItem(kPropertiesTabs), change->tab);
            if (change->enterIsANewLine)
                ClickControl(dialog, IDOK);
            else
                host.PressKey(VK_RETURN);
        });
        ChooseFromMenu(ID_EDIT_PROPERTIES);
        EXPECT_EQ(Stored(Layout()), before);
        EXPECT_FALSE(Layout().IsModified());
        EXPECT_EQ(host.MessageBoxes().size(), boxes) << host.MessageBoxes().back().text;
        host.WhenModal(change->caption, [&](CWnd& dialog) {
            Retype(dialog, change->field, change->typed);
            ClickControl(dialog, IDOK);
        });
        ChooseFromMenu(ID_EDIT_PROPERTIES);
        EXPECT_NE(Stored(Layout()), before);
        EXPECT_TRUE(Layout().IsModified());
    }
    EXPECT_EQ(walked, kStoredClasses);
}

// Every dialog and command that changes a setting the layout file keeps.
TEST_F(ConfirmedSettings, UntouchedDialogsLeaveTheLayoutAndEveryChangeMarksIt) {
    struct Use {
        const char* name;
        UINT command;
        const char* caption;  // none for a command that changes the setting itself
        int page;
        std::function<void(ConfirmedSettings&, CWnd&)> change;
        // Values the layout holds before the dialog opens: a file may hold what a person may
        // not type, and what the dialog shows rounded.
        std::function<void()> load = {};
        bool modeless = false;
        // The class of the object selected first, and the button of the dialog that opens the
        // nested dialog the change is made in.
        const char* selected = nullptr;
        UINT opener = 0;
        const char* nested = nullptr;
    };
    const Use uses[] = {
        {"Document setup, width, at a view scale the field shows whole", ID_DOCUMENT_SETUP, "Document setup",
         -1, Retyped(IDC_SETUP_WIDTH, "100"),
         [this] {
             Layout().m_fViewScale = Layout().m_fViewScaleCopy = 3.5;
             Layout().m_tool.SetViewScale(1.0, 3.5);
         }},
        {"Document setup, page markers", ID_DOCUMENT_SETUP, "Document setup", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_SETUP_PAGE_MARKERS); }},
        {"Document setup, view scale", ID_DOCUMENT_SETUP, "Document setup", -1,
         Retyped(IDC_SETUP_VIEW_SCALE, "20")},
        {"Preferences, units", ID_PREFERENCES, "Preferences", 0,
         [](ConfirmedSettings& t, CWnd& page) { t.ChooseNextInList(page, IDC_METRIC_UNITS); }},
        {"Preferences, grid shown", ID_PREFERENCES, "Preferences", 0,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_METRIC_GRID_SHOWN); }},
        {"Preferences, 3D backdrop", ID_PREFERENCES, "Preferences", 1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_3D_USE_BACKDROP); }},
        {"Preferences, elevation gap, test-train distances beyond and below the typed ones", ID_PREFERENCES,
         "Preferences", 2, Retyped(IDC_TRAIN_ELEVATION_GAP, "3"),
         [this] { Layout().m_limits.maxElevationGap = 1e7, Layout().m_limits.maxConnectionDistance = -5.0; }},
        {"Preferences, snap range beyond the typed one", ID_PREFERENCES, "Preferences", 3,
         Retyped(IDC_OTHER_SNAP_RANGE, "3"), [this] { Layout().m_tool.m_fSnapDistance = 700000.0; }},
        {"Preferences, a handle size beyond the typed one", ID_PREFERENCES, "Preferences", 3,
         Retyped(IDC_OTHER_HANDLE_SIZE, "20"), [this] { Layout().m_tool.m_fHandleSize = 100.0; }},
        {"Preferences, a bend below the typed one", ID_PREFERENCES, "Preferences", 2,
         Retyped(IDC_TRAIN_BEND_DEFORMATION, "0.5"), [this] { Layout().m_limits.bendLimit = 1.5; }},
        {"Preferences, a grade the field shows short", ID_PREFERENCES, "Preferences", 2,
         Retyped(IDC_TRAIN_GRADE, "4"), [this] { Layout().m_limits.maxGrade = 0.30000000000000004; }},
        {"Preferences, an angle and a bend the fields round", ID_PREFERENCES, "Preferences", 2,
         Retyped(IDC_TRAIN_ANGLE, "20"),
         [this] { Layout().m_limits.maxAngle = 0.123456789, Layout().m_limits.bendLimit = 0.123456789; }},
        {"Document setup, a print scale the field shows short", ID_DOCUMENT_SETUP, "Document setup", -1,
         Retyped(IDC_SETUP_PRINT_SCALE, "50"),
         [this] { Layout().m_nPrintScaleChoice = 1, Layout().m_fPrintScale = 87.123456789012351; }},
        {"Preferences, a grid beyond the typed one", ID_PREFERENCES, "Preferences", 0,
         Retyped(IDC_METRIC_GRID_WIDTH, "3"),
         [this] { Layout().m_bGridShown = 1, Layout().m_nGridWidth = 1000000; }},
        {"Preferences, a grid the fractional inches round", ID_PREFERENCES, "Preferences", 0,
         Retyped(IDC_METRIC_GRID_HEIGHT, "3"),
         [this] { Layout().m_nUnitIndex = 5, Layout().m_nGridHeight = 1300; }},
        {"Layers, a layer hidden", ID_LAYERS, "Layer properties", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickLayerCell(page, 4, 2); }},
        {"Track properties as the default track", ID_EDIT_PROPERTIES, "Track properties", -1,
         [](ConfirmedSettings& t, CWnd& page) {
             t.Retype(page, IDC_TRACK_TIE_SPACING, "2");
             t.ClickControl(page, IDC_TRACK_APPLY_DEFAULT);
         }},
        {"Tool parameters, fill",
         ID_TOOL_PARAMETERS,
         "Tool parameters",
         -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_FILL); },
         {},
         true},
        {"Show grid", ID_SHOW_GRID, nullptr, -1, nullptr},
        {"Show or hide layer 3", ID_LAYER_SHOW_HIDE_0 + 3, nullptr, -1, nullptr},
        {"Terrain Editor, falloff, knots higher than the typed ones", ID_TERRAIN_EDITOR, "Terrain Editor", -1,
         [](ConfirmedSettings& t, CWnd& page) { t.ClickControl(page, IDC_FALLOFF_CUBICAL); },
         [this] {
             auto* terrain = static_cast<CMount*>(SelectOnly("CMount"));
             for (int knot = 0; knot < terrain->Grid().GetSize(); ++knot) terrain->Grid()[knot].z = 700000.0f;
         },
         false, "CMount"},
        {"More properties, tunnel width, wider than the typed one", ID_EDIT_PROPERTIES, "Track properties",
         -1, Retyped(IDC_MORE_TUNNEL_WIDTH, "2"),
         [this] { static_cast<CParTrack*>(SelectOnly("CTrack"))->m_fTunnelWidth = 700000.0; }, false,
         "CTrack", IDC_TRACK_MORE, "More properties"},
    };
    DrawTerrain();
    Layout().m_tool.DeselectAll(0, 0);
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(300, 100), CPoint(450, 100));
    Layout().SetModifiedFlag(FALSE);
    for (const Use& use : uses) {
        SCOPED_TRACE(use.name);
        if (use.selected != nullptr)
            SelectOnly(use.selected);
        if (use.load) {
            use.load();
            Layout().SetModifiedFlag(FALSE);
        }
        // The dialog the change is made in, the nested one opened from the first.
        const auto inDialog = [&](std::function<void(CWnd&)> work) {
            host.WhenModal(use.caption, [&, work](CWnd& dialog) {
                if (use.opener == 0)
                    return work(dialog);
                host.WhenModal(use.nested, work);
                ClickControl(dialog, use.opener);
                ClickControl(dialog, IDOK);
            });
        };
        const std::vector<BYTE> before = Stored(Layout());
        const size_t boxes = host.MessageBoxes().size();
        if (use.modeless) {
            // It stays beside the plan: Enter there applies what it shows, and the command
            // hides it again.
            ChooseFromMenu(use.command);
            CDialog& dialog = Main().GetToolParametersDialog();
            host.ClickClient(&dialog, CPoint(1, 1));
            host.PressKey(VK_RETURN);
            host.RunUntilIdle();
            EXPECT_EQ(Stored(Layout()), before);
            EXPECT_FALSE(Layout().IsModified());
            use.change(*this, dialog);
        } else if (use.caption != nullptr) {
            // The person turns to the field's page, and confirms it untouched.
            inDialog([&](CWnd& dialog) {
                Page(dialog, use.page);
                host.PressKey(VK_RETURN);
            });
            ChooseFromMenu(use.command);
            EXPECT_EQ(Stored(Layout()), before);
            EXPECT_FALSE(Layout().IsModified());
            EXPECT_EQ(host.MessageBoxes().size(), boxes) << host.MessageBoxes().back().text;
            inDialog([&](CWnd& dialog) {
                use.change(*this, Page(dialog, use.page));
                ClickControl(dialog, IDOK);
            });
        }
        ChooseFromMenu(use.command);
        EXPECT_NE(Stored(Layout()), before);
        EXPECT_TRUE(Layout().IsModified());
        Layout().SetModifiedFlag(FALSE);
    }
}

// With the 3D view open, a dialog confirmed untouched builds no model again: a build stores the
// path a texture is found under, which a save would write. A change builds them.
TEST_F(ConfirmedSettings, AnUntouchedDialogBuildsNoModelAgainAndAChangeDoes) {
    ASSERT_TRUE(DataPictures::WriteAll(CWinPath::Resolve(CDataFolders::GetBaseFolder())));
    DrawOutline(ID_TOOL_BENCHWORK);
    auto& benchwork = static_cast<CBenchwork&>(*SelectOnly("CBenchwork"));
    CMDIChildWnd* plan = Main().MDIGetActive();
    Command(ID_SHOW_3D_VIEW);
    Main().MDIActivate(plan);
    const std::pair<UINT, const char*> uses[] = {{IDC_SETUP_WIDTH, "Document setup"},
                                                 {kNote, "Benchwork properties"}};
    for (const auto& [field, caption] : uses) {
        SCOPED_TRACE(caption);
        // The name as a file holds it, the picture found in the program's folder.
        benchwork.m_strTexture = "rcgrass.bmp";
        Layout().SetModifiedFlag(FALSE);
        const std::vector<BYTE> before = Stored(Layout());
        const UINT command = field == kNote ? ID_EDIT_PROPERTIES : ID_DOCUMENT_SETUP;
        host.WhenModal(caption, [&](CWnd&) { host.PressKey(VK_RETURN); });
        ChooseFromMenu(command);
        EXPECT_EQ(Stored(Layout()), before);
        EXPECT_FALSE(Layout().IsModified());
        host.WhenModal(caption, [&, field = field](CWnd& dialog) {
            Retype(dialog, field, "1000");
            ClickControl(dialog, IDOK);
        });
        ChooseFromMenu(command);
        EXPECT_NE(benchwork.m_strTexture, "rcgrass.bmp");
    }
}

// Undo takes back no setting: undoing every drawing after a new page size leaves the layout
// modified, and closing it asks to save the page.
TEST_F(ConfirmedSettings, ASettingChangedSurvivesUndoAndClosingAsksToSaveIt) {
    host.WhenModal("Document setup", [&](CWnd& dialog) {
        Retype(dialog, IDC_SETUP_HEIGHT, "50");
        host.PressKey(VK_RETURN);
    });
    ChooseFromMenu(ID_DOCUMENT_SETUP);
    EXPECT_EQ(Layout().m_fPageHeight, 50 * 254.0);
    DrawLine(CPoint(120, 220), CPoint(200, 300));
    ChooseFromMenu(ID_EDIT_UNDO);
    EXPECT_TRUE(Layout().IsModified());
    // The question, not the menu that runs before it, is answered.
    host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDCANCEL); });
    ChooseFromMenu(ID_FILE_CLOSE);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_NE(host.MessageBoxes().back().text.Find("Save changes"), -1);
    EXPECT_NE(ActiveLayout(), nullptr);
}

// The library and the parts list chosen from the Library menu are names the layout file keeps:
// each choice marks the layout, and closing it asks to save.
TEST_F(ConfirmedSettings, ChoosingALibraryOrAPartsListMarksTheLayoutAndClosingAsksToSaveIt) {
    std::ofstream(folder / "Rails.cvl").close();
    struct Choice {
        UINT command;
        const char* file;
        const char* shown;
    };
    const Choice choices[] = {{ID_LIBRARY_GET_OBJECT, "Rails.cvl", "Library"},
                              {ID_PARTS_LIST, "Rails.cvp", "Parts List"}};
    for (const auto& [command, file, shown] : choices) {
        SCOPED_TRACE(file);
        Layout().SetModifiedFlag(FALSE);
        host.WhenModal("Open", [this, file = file](CWnd& prompt) {
            Retype(prompt, edt1, PathText(folder / file));
            host.PressKey(VK_RETURN);
        });
        // The library or the parts list, shown once the file is chosen, is closed as it is.
        host.WhenModal(shown, [](CWnd& dialog) { dialog.EndModalLoop(IDCANCEL); });
        ChooseFromMenu(command);
        EXPECT_TRUE(host.UnansweredModals().empty());
        EXPECT_TRUE(Layout().IsModified());
    }
    host.WhenModal("Corvane", [](CWnd& box) { box.EndModalLoop(IDCANCEL); });
    ChooseFromMenu(ID_FILE_CLOSE);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_NE(host.MessageBoxes().back().text.Find("Save changes"), -1);
}
