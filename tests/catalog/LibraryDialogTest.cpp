#include <cmath>

#include "catalog/CLibraryDialog.h"
#include "catalog/CLibraryNoticeDialog.h"
#include "catalog/CatalogDialogs.h"
#include "drawing/CGroupPropertyRunner.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CComboBox.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "resources/GroupPropertiesTemplate.h"
#include "terrain/CMount.h"
#include "tests/catalog/CatalogDialogFixture.h"
#include "tests/support/PdfPages.h"
#include "view3d/C3D.h"

namespace fs = std::filesystem;

namespace {

class LibraryDialogTest : public CatalogDialogFixture {
  protected:
    void SetUp() override {
        CatalogDialogFixture::SetUp();
        doc->m_strLibraryPath = CWinPath::FromReal(folder / "symbols.cvl");
        doc->m_strLibraryFileName = "symbols.cvl";
        CGroup* library = &doc->m_libraryGroup;
        AddPart(library, "scenery", "Trees", "Birch", 1.00);
        AddPart(library, "Scenery", "Trees", "Oak", 2.00, 1.0, 500.0, 500.0);
        AddPart(library, "Scenery", "Rocks", "Boulder", 3.00);
        AddPart(library, "Structures", "Trees", "Hut", 4.00);
        AddPart(library, "track", "Acme", "Straight", 1.50, 1.0, 0.0, 0.0)->m_nLayer = 3;
    }
    void WithLibrary(const std::function<void(CLibraryDialog&)>& action) {
        WithDialog(ID_LIBRARY_GET_OBJECT, "Library", action);
    }
    // Only the group "Station" in the library, holding a box and a 3D shape without its
    // in-group mark.
    CGroup* LibraryOfOneStation() {
        for (CPaint* part : doc->m_libraryGroup.m_members) {
            part->ReleaseData();
            delete part;
        }
        doc->m_libraryGroup.m_members.clear();
        CGroup* station = AddGroup(&doc->m_libraryGroup, "Station", CGroup::kPriceAutomatic);
        AddPart(station, "Structures", "Kibri", "Shed", 1.00, 1.0, 0.0, 0.0);
        auto* model = new C3D(0, &doc->m_tool, 200.0, 0.0);
        Adopt(station, model);
        station->RecalcFrame();
        station->ComputeExtent(nullptr);
        return station;
    }
    static std::vector<CString> Names(CLibraryDialog& dialog) {
        return ColumnTexts(dialog.GetList(), CLibraryDialog::kNameColumn);
    }
    // The centre of an object's extent in the layout.
    static CDoublePoint Centre(CPaint* object) {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        object->GetBounds(nullptr, minX, minY, maxX, maxY);
        return {(minX + maxX) / 2, (minY + maxY) / 2};
    }
};

}  // namespace

TEST_F(LibraryDialogTest, TabsAndFiltersNarrowTheRows) {
    WithLibrary([&](CLibraryDialog& dialog) {
        // "track" differs from the tab's name only in case: it makes "Track" the first used
        // tab but is not listed there.
        EXPECT_EQ(dialog.GetCurrentTab(), 0);
        EXPECT_EQ(dialog.GetList().GetItemCount(), 0);
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_FILE_NAME), "symbols.cvl");
        ChooseTab(dialog, 1);
        EXPECT_EQ(Names(dialog), (std::vector<CString>{"Boulder", "Oak"}));
        EXPECT_EQ(dialog.GetList().GetItemText(1, CLibraryDialog::kPriceColumn), "2.00");
        Choose(dialog, IDC_CATALOG_MANUFACTURER, "Trees");
        EXPECT_EQ(Names(dialog), std::vector<CString>{"Oak"});
        // "Trees" is offered on "Structures" too, so the filter stays; not on "Track".
        ChooseTab(dialog, 2);
        EXPECT_EQ(Names(dialog), std::vector<CString>{"Hut"});
        ChooseTab(dialog, 0);
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_MANUFACTURER), "All");
        ChooseTab(dialog, CLibraryDialog::kTabCount - 1);
        EXPECT_EQ(dialog.GetList().GetItemCount(), 5);
        Retype(dialog, IDC_CATALOG_PRICE, "4");
        host.PressKey(VK_TAB);
        EXPECT_EQ(Names(dialog), std::vector<CString>{"Hut"});
        Retype(dialog, IDC_CATALOG_PRICE, "0");
        Retype(dialog, IDC_CATALOG_PART_NO, "P-Birch");
        host.PressKey(VK_TAB);
        EXPECT_EQ(Names(dialog), std::vector<CString>{"Birch"});
        host.PressKey(VK_ESCAPE);
    });
}

TEST_F(LibraryDialogTest, DeleteAndOkWriteTheLibraryEscapeDoesNot) {
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, 1);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_CATALOG_DELETE);
        EXPECT_EQ(Names(dialog), std::vector<CString>{"Oak"});
        EXPECT_EQ(doc->m_libraryGroup.m_members.size(), 4U);
        EXPECT_EQ(doc->m_bLibraryModified, 1);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(fs::exists(folder / "symbols.cvl"));
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, 2);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_CATALOG_DELETE);
        // The last row gone: nothing is left to print, edit, place or delete.
        for (UINT id :
             {IDC_LIBRARY_PRINT, IDC_CATALOG_PROPERTIES, IDC_LIBRARY_ADD_TO_PLAN, IDC_CATALOG_DELETE})
            EXPECT_FALSE(Item(dialog, id)->IsWindowEnabled()) << id;
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(fs::exists(folder / "symbols.cvl"));
    EXPECT_EQ(doc->m_bLibraryModified, 0);
    CCVNDoc reader;
    reader.m_strLibraryPath = doc->m_strLibraryPath;
    ASSERT_TRUE(reader.ReadLibrary());
    EXPECT_EQ(reader.m_libraryGroup.m_members.size(), 3U);
}

TEST_F(LibraryDialogTest, PropertiesEditTheFocusedSelectedObject) {
    int edits = 0;
    CPaint* oak = *std::next(doc->m_libraryGroup.m_members.begin());
    host.WhenModal("2D Object properties", [&](CWnd& modal) {
        ++edits;
        EXPECT_EQ(oak->m_nLayer, -2);
        Click(modal, IDCANCEL);
    });
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, 1);
        dialog.GetList().SetItemState(-1, 0, LVIS_SELECTED);
        Click(dialog, IDC_CATALOG_PROPERTIES);
        EXPECT_EQ(edits, 0);
        ClickRow(dialog.GetList(), 1);
        Click(dialog, IDC_CATALOG_PROPERTIES);
        EXPECT_EQ(edits, 1);
        EXPECT_EQ(oak->m_nLayer, 0);
        host.PressKey(VK_ESCAPE);
    });
}

TEST_F(LibraryDialogTest, AddToPlanCentresEachCopyOnOnePointAndOneUndoTakesThemBack) {
    CTool& tool = doc->m_tool;
    const CDoublePoint target = tool.DeviceToLayout(0, 0);
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, CLibraryDialog::kTabCount - 1);
        ClickRow(dialog.GetList(), 0);
        host.KeyDown(VK_SHIFT);
        ClickRow(dialog.GetList(), 1);
        host.KeyUp(VK_SHIFT);
        ASSERT_EQ(dialog.GetList().GetSelectedCount(), 2U);
        Click(dialog, IDC_LIBRARY_ADD_TO_PLAN);
        EXPECT_FALSE(dialog.InModalLoop());
    });
    ASSERT_EQ(Root()->m_members.size(), 2U);
    for (CPaint* copy : Root()->m_members) {
        EXPECT_NEAR(Centre(copy).x, std::trunc(target.x), 1.0);
        EXPECT_NEAR(Centre(copy).y, std::trunc(target.y), 1.0);
        EXPECT_EQ(copy->m_nLayer, tool.m_nActiveLayer);
    }
    EXPECT_EQ(doc->m_libraryGroup.m_members.size(), 5U);
    // The command placed both copies: one Undo takes both back, and no more.
    tool.Undo();
    EXPECT_TRUE(Root()->m_members.empty());
    EXPECT_EQ(tool.GetUndoCount(), 0);
}

TEST_F(LibraryDialogTest, ATerrainAddedToThePlanHasItsKnotsAtOnce) {
    auto* terrain = new CMount(0, &doc->m_tool, 0.0, 0.0);
    terrain->m_points.SetSize(CSketch::kFirstDrawnPoint);
    for (const CDoublePoint& corner : {CDoublePoint{0, 0}, {3000, 0}, {3000, 2000}, {0, 2000}})
        terrain->m_points.Add(corner.x, corner.y);
    terrain->m_fCornerX1 = terrain->m_fReferenceX1 = 0;
    terrain->m_fCornerY1 = terrain->m_fReferenceY1 = 2000;
    terrain->m_fCornerX2 = terrain->m_fReferenceX2 = 3000;
    terrain->m_fCornerY2 = terrain->m_fReferenceY2 = 0;
    terrain->Normalize(CPose());
    terrain->ComputeExtent(nullptr);
    terrain->m_strName = "Hill";
    terrain->m_newEdits.Append({1500.0f, 1000.0f, 50.0f, 900.0f, 0, 1});
    terrain->RebuildGrid();
    for (CPaint* part : doc->m_libraryGroup.m_members) {
        part->ReleaseData();
        delete part;
    }
    doc->m_libraryGroup.m_members.clear();
    Adopt(&doc->m_libraryGroup, terrain);
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, CLibraryDialog::kTabCount - 1);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_LIBRARY_ADD_TO_PLAN);
    });
    ASSERT_EQ(Root()->m_members.size(), 1U);
    auto* copy = dynamic_cast<CMount*>(Root()->m_members.front());
    ASSERT_NE(copy, nullptr);
    ASSERT_GT(terrain->m_nInteriorCount, 0);
    EXPECT_EQ(copy->m_nOutlineCount, terrain->m_nOutlineCount);
    EXPECT_EQ(copy->m_nInteriorCount, terrain->m_nInteriorCount);
    ASSERT_EQ(copy->Grid().GetSize(), terrain->Grid().GetSize());
    for (int knot = 0; knot < copy->Grid().GetSize(); ++knot)
        EXPECT_EQ(copy->Grid()[knot].z, terrain->Grid()[knot].z) << knot;
    // The library's terrain keeps no flag for a later copy.
    EXPECT_EQ(terrain->m_bRebuildOnCopy, 0);
}

TEST_F(LibraryDialogTest, OpenNewReadsAnotherLibraryAndPrintListsItsRows) {
    CCVNDoc writer;
    writer.m_strLibraryPath = CWinPath::FromReal(folder / "other.cvl");
    AddPart(&writer.m_libraryGroup, "Track", "Acme", "Curve", 2.25);
    AddPart(&writer.m_libraryGroup, "Track", "Acme", "Turnout with a name far too long for its column",
            10.00);
    ASSERT_TRUE(writer.WriteLibrary());
    WithLibrary([&](CLibraryDialog& dialog) {
        host.WhenModal("Open", [this](CWnd& modal) {
            Retype(modal, edt1, PathText(folder / "other.cvl"));
            host.PressKey(VK_RETURN);
        });
        Click(dialog, IDC_LIBRARY_OPEN_NEW);
        EXPECT_EQ(TextOf(dialog, IDC_CATALOG_FILE_NAME), "other.cvl");
        EXPECT_EQ(dialog.GetCurrentTab(), 0);
        EXPECT_EQ(Names(dialog).size(), 2U);
        PrintInto(folder / "library.pdf");
        Click(dialog, IDC_LIBRARY_PRINT);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(CountPdfPages(folder / "library.pdf"), 1);
}

TEST_F(LibraryDialogTest, TheNoticeClosesItselfAfterTwoAndAHalfSeconds) {
    AddPart(Root(), "Track", "Acme", "Straight", 1.50)->SelectWithUndo(0, 0);
    for (int showing = 0; showing < 2; ++showing) {
        bool shown = false;
        host.WhenModal("", [&](CWnd& modal) {
            shown = true;
            EXPECT_EQ(TextOf(modal, IDC_LIBRARY_NOTICE_TEXT),
                      "The selection was added to the current symbol library.");
            host.AdvanceClock(2000);
            EXPECT_TRUE(modal.InModalLoop());
            host.AdvanceClock(500);
            EXPECT_FALSE(modal.InModalLoop());
        });
        doc->OnCmdMsg(ID_LIBRARY_PUT_SELECTION, CN_COMMAND, nullptr, nullptr);
        EXPECT_TRUE(shown);
    }
    EXPECT_EQ(doc->m_libraryGroup.m_members.size(), 7U);
    EXPECT_EQ(doc->m_libraryGroup.m_members.front()->m_strName, "Straight");
    EXPECT_EQ(doc->m_bLibraryModified, 1);
}

TEST_F(LibraryDialogTest, InsideAnOpenGroupCopiesGoToItsCentre) {
    CGroup* yard = AddGroup(Root(), "Yard", CGroup::kPriceAutomatic);
    AddPart(yard, "Track", "Acme", "Siding", 1.00, 1.0, 1000.0, 2000.0);
    AddPart(yard, "Track", "Acme", "Siding", 1.00, 1.0, 3000.0, 4000.0);
    yard->RecalcFrame();
    CTool& tool = doc->m_tool;
    tool.DeselectAll(0, 0);
    yard->SelectWithUndo(0, 0);
    ASSERT_TRUE(tool.EnterGroupEdit(1));
    const CDoublePoint centre{std::trunc((yard->m_fMinX + yard->m_fMaxX) / 2),
                              std::trunc((yard->m_fMinY + yard->m_fMaxY) / 2)};
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, 1);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_LIBRARY_ADD_TO_PLAN);
    });
    ASSERT_EQ(yard->m_members.size(), 3U);
    const auto copy = std::find_if(yard->m_members.begin(), yard->m_members.end(),
                                   [](CPaint* member) { return member->m_strName == "Boulder"; });
    ASSERT_NE(copy, yard->m_members.end());
    EXPECT_NEAR(Centre(*copy).x, centre.x, 1.0);
    EXPECT_NEAR(Centre(*copy).y, centre.y, 1.0);
}

TEST_F(LibraryDialogTest, AGroupsPropertiesFromTheLibraryOfferOnlyThatGroup) {
    CGroupPropertyRunner::Register();
    CGroup* station = LibraryOfOneStation();
    // A selection in the layout, which "Apply to all selected" would change.
    CBox* shed = AddPart(Root(), "Structures", "Kibri", "Shed", 1.00);
    shed->SelectWithUndo(0, 0);
    BOOL selectedOffered = TRUE, allOffered = TRUE;
    host.WhenModal("Group properties", [&](CWnd& modal) {
        selectedOffered = Item(modal, IDC_GROUP_APPLY_SELECTED)->IsWindowEnabled();
        allOffered = Item(modal, IDC_GROUP_APPLY_ALL)->IsWindowEnabled();
        Retype(modal, IDC_GROUP_MANUFACTURER, "Vollmer");
        Click(modal, IDOK);
    });
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, CLibraryDialog::kTabCount - 1);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_CATALOG_PROPERTIES);
        host.PressKey(VK_ESCAPE);
    });
    RegisterGroupPropertiesDialog({});
    EXPECT_FALSE(selectedOffered);
    EXPECT_FALSE(allOffered);
    EXPECT_EQ(station->m_strManufacturer, "Vollmer");
    EXPECT_EQ(shed->m_strManufacturer, "Kibri");
}

TEST_F(LibraryDialogTest, AGroupAddedToThePlanMarksItsFirst3DMemberAsGrouped) {
    CGroup* station = LibraryOfOneStation();
    WithLibrary([&](CLibraryDialog& dialog) {
        ChooseTab(dialog, CLibraryDialog::kTabCount - 1);
        ClickRow(dialog.GetList(), 0);
        Click(dialog, IDC_LIBRARY_ADD_TO_PLAN);
    });
    ASSERT_EQ(Root()->m_members.size(), 1U);
    auto* copy = dynamic_cast<CGroup*>(Root()->m_members.front());
    ASSERT_NE(copy, nullptr);
    auto* model = dynamic_cast<C3D*>(copy->Find3DMember());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->m_bGrouped, 1);
    // The library's own group is left as it was.
    EXPECT_EQ(dynamic_cast<C3D*>(station->Find3DMember())->m_bGrouped, 0);
}
