#include <algorithm>

#include "catalog/CCataloguePrintout.h"
#include "catalog/CMaterialsReportDialog.h"
#include "catalog/CatalogDialogs.h"
#include "platform/ctl/CTreeCtrl.h"
#include "platform/gdi/CDC.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "tests/catalog/CatalogDialogFixture.h"
#include "tests/support/PdfPages.h"

namespace {

class MaterialsReport : public CatalogDialogFixture {
  protected:
    // Runs the report from the document's command; the action drives it, then it is closed.
    void WithReport(const std::function<void(CMaterialsReportDialog&)>& action) {
        WithDialog<CMaterialsReportDialog>(ID_MATERIALS_REPORT, "Materials Report",
                                           [&](CMaterialsReportDialog& report) {
                                               action(report);
                                               Click(report, IDCANCEL);
                                           });
    }
    static std::vector<CString> Column(CMaterialsReportDialog& report, int column) {
        return ColumnTexts(report.GetList(), column);
    }
    // Drags one item of the sort-order chain onto another (or below the last, with -1).
    void DragKey(CMaterialsReportDialog& report, int from, int to) {
        CDragTreeCtrl& tree = report.GetTree();
        CRect source, target;
        tree.GetItemRect(tree.ItemAt(from), &source, TRUE);
        if (to >= 0) {
            tree.GetItemRect(tree.ItemAt(to), &target, TRUE);
        } else {
            tree.GetClientRect(&target);
            target.top = target.bottom - 4;
        }
        host.DragClient(&tree, source.CenterPoint(), target.CenterPoint(), 6);
    }
};

}  // namespace

TEST_F(MaterialsReport, RowsFollowCategoriesGroupsAndPriceRules) {
    AddPart(Root(), "Track", "Acme", "Straight", 1.50);
    AddPart(Root(), "", "Nobody", "No category", 9.00);
    AddPart(Root(), "Scenery", "Trees", "Oak", 2.00)->m_bShowInReport = 0;
    CGroup* fixed = AddGroup(Root(), "Station", CGroup::kPriceFixed, 40.00);
    AddPart(fixed, "Structures", "Kibri", "Platform", 12.00);
    CGroup* automatic = AddGroup(Root(), "Yard", CGroup::kPriceAutomatic);
    AddPart(automatic, "Track", "Acme", "Switch", 7.25);
    AddPart(automatic, "Rolling stock", "Roco", "Wagon", 20.00);
    CGroup* closed = AddGroup(Root(), "Sealed", CGroup::kPriceAutomatic);
    closed->m_bAllowExpansion = 0;
    AddPart(closed, "Track", "Acme", "Curve", 3.00);

    WithReport([&](CMaterialsReportDialog& report) {
        CMaterialsListCtrl& list = report.GetList();
        // The top group's objects, then each group collapsed: the empty category and the part
        // not shown in reports never get a row.
        ASSERT_EQ(list.GetItemCount(), 4);
        EXPECT_EQ(RowTexts(list, 0),
                  (std::vector<CString>{"Acme", "HO", "Kit", "Straight", "P-Straight", "1.50", ""}));
        EXPECT_EQ(list.GetItemText(1, 3), "Station");
        EXPECT_EQ(list.GetItemText(1, 5), "40.00");
        EXPECT_EQ(list.GetItemText(2, 5), "27.25");
        EXPECT_EQ(list.GetItemText(3, 5), "3.00");
        EXPECT_EQ(ImageOf(list, 0), CMaterialsListCtrl::kTopObject);
        EXPECT_EQ(ImageOf(list, 1), CMaterialsListCtrl::kCollapsedGroup);
        EXPECT_EQ(ImageOf(list, 3), CMaterialsListCtrl::kClosedGroup);
        EXPECT_EQ(TextOf(report, IDC_REPORT_TOTAL), "71.75");

        // Opening the fixed group: its members show 0.00; the automatic one shows 0.00 open.
        ClickRow(list, 1, 2);
        ASSERT_EQ(list.GetItemCount(), 5);
        EXPECT_EQ(list.GetItemText(2, 3), "Platform");
        EXPECT_EQ(list.GetItemText(2, 5), "0.00");
        EXPECT_EQ(ImageOf(list, 2), CMaterialsListCtrl::kNestedObject);
        EXPECT_EQ(ImageOf(list, 1), CMaterialsListCtrl::kExpandedGroup);
        ClickRow(list, 3, 2);
        ASSERT_EQ(list.GetItemCount(), 7);
        EXPECT_EQ(list.GetItemText(3, 5), "0.00");
        EXPECT_EQ(list.GetItemText(4, 5), "7.25");
        // A closed group never opens; the automatic one closes again with its sum.
        ClickRow(list, 6, 2);
        EXPECT_EQ(list.GetItemCount(), 7);
        ClickRow(list, 3, 2);
        ASSERT_EQ(list.GetItemCount(), 5);
        EXPECT_EQ(list.GetItemText(3, 5), "27.25");

        // Without "Track" the track parts go, and the groups' sums lose them.
        Click(report, IDC_REPORT_TRACK);
        EXPECT_EQ(TextOf(report, IDC_REPORT_TOTAL), "60.00");
        for (UINT box :
             {IDC_REPORT_SCENERY, IDC_REPORT_STRUCTURES, IDC_REPORT_ROLLING_STOCK, IDC_REPORT_MISCELLANEOUS})
            Click(report, box);
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(TextOf(report, IDC_REPORT_TOTAL), "0.00");
    });
}

TEST_F(MaterialsReport, InventoryMergesIdenticalPartsWithQuantityAndCost) {
    for (int i = 0; i < 3; ++i) AddPart(Root(), "Track", "Acme", "Straight", 2.50);
    AddPart(Root(), "Track", "Acme", "Curve", 2.50, 2.0);
    AddPart(Root(), "Track", "Acme", "Curve", 2.50, 2.0);
    AddPart(Root(), "Track", "Acme", "Curve", 2.50, 1.0);

    WithReport([&](CMaterialsReportDialog& report) {
        CMaterialsListCtrl& list = report.GetList();
        Click(report, IDC_REPORT_INVENTORY);
        ASSERT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(RowTexts(list, 0),
                  (std::vector<CString>{"Acme", "3", "HO", "Kit", "Straight", "P-Straight", "7.50", ""}));
        // Two of quantity 2 cost 10.00 together, not 7.50; quantities must match to merge.
        EXPECT_EQ(list.GetItemText(1, 1), "4");
        EXPECT_EQ(list.GetItemText(1, 6), "10.00");
        EXPECT_EQ(list.GetItemText(2, 1), "1");
        EXPECT_EQ(list.GetItemText(2, 6), "2.50");
        LVCOLUMN heading{};
        char text[32] = {};
        heading.mask = LVCF_TEXT;
        heading.pszText = text;
        heading.cchTextMax = sizeof(text);
        list.GetColumn(6, &heading);
        EXPECT_STREQ(text, "Cost");
        // "Price" leaves the chain while the inventory is shown, and comes back to its place.
        EXPECT_EQ(report.GetTree().GetChain(),
                  (std::vector<CString>{"Manufacturer", "Scale", "Type", "Name", "Part No.", "Note"}));
        // "Properties" does nothing in the inventory view.
        ClickRow(list, 0);
        Click(report, IDC_CATALOG_PROPERTIES);
        EXPECT_TRUE(host.UnansweredModals().empty());
        Click(report, IDC_REPORT_INVENTORY);
        EXPECT_EQ(list.GetItemCount(), 6);
        EXPECT_EQ(report.GetTree().GetChain(), (std::vector<CString>{"Manufacturer", "Scale", "Type", "Name",
                                                                     "Part No.", "Price", "Note"}));

        // With "Price" at the top it comes back at the top.
        DragKey(report, 5, 0);
        Click(report, IDC_REPORT_INVENTORY);
        Click(report, IDC_REPORT_INVENTORY);
        EXPECT_EQ(report.GetTree().GetChain().front(), "Price");
    });
}

TEST_F(MaterialsReport, DraggingTheSortOrderChangesTheKeysAndTheRows) {
    AddPart(Root(), "Track", "Zeta", "A", 1.00);
    AddPart(Root(), "Track", "Alpha", "B", 3.00);
    AddPart(Root(), "Track", "Beta", "C", 2.00);

    WithReport([&](CMaterialsReportDialog& report) {
        Click(report, IDC_REPORT_SORT);
        EXPECT_EQ(Column(report, 0), (std::vector<CString>{"Alpha", "Beta", "Zeta"}));
        DragKey(report, 5, 0);
        EXPECT_EQ(report.GetSortKeys(), (CMaterialsListCtrl::SortKeys{5, 0, 1, 2, 3, 4}));
        EXPECT_EQ(report.GetTree().GetChain().front(), "Price");
        EXPECT_EQ(Column(report, 5), (std::vector<CString>{"1.00", "2.00", "3.00"}));
        EXPECT_FALSE(report.GetTree().IsDragging());
        // Dropped below the last item "Price" goes to the bottom; "Note" keeps its place's key.
        DragKey(report, 0, -1);
        EXPECT_EQ(report.GetTree().GetChain().back(), "Price");
        EXPECT_EQ(report.GetSortKeys(), (CMaterialsListCtrl::SortKeys{0, 1, 2, 3, 4, 4}));
        // "Sort" off lists the layout's order again.
        Click(report, IDC_REPORT_SORT);
        EXPECT_EQ(Column(report, 0), (std::vector<CString>{"Zeta", "Alpha", "Beta"}));
    });
}

TEST_F(MaterialsReport, OpeningTheReportLeavesTheLayoutAsItWas) {
    CGroup* station = AddGroup(Root(), "Station", CGroup::kPriceFixed, 40.00);
    AddPart(station, "Structures", "Kibri", "Platform", 12.00);
    doc->m_tool.DeselectAll(0, 0);
    station->SelectWithUndo(0, 0);
    ASSERT_TRUE(doc->m_tool.EnterGroupEdit(1));
    ASSERT_EQ(doc->m_groupEditStack.front().m_pGroup, station);
    doc->SetModifiedFlag(FALSE);
    station->m_bReportExpanded = 0;

    WithReport([&](CMaterialsReportDialog& report) {
        // The group being edited is reported, its members summed, though it is marked closed.
        ASSERT_EQ(report.GetList().GetItemCount(), 1);
        EXPECT_EQ(TextOf(report, IDC_REPORT_TOTAL), "12.00");
    });
    EXPECT_EQ(station->m_bReportExpanded, 0);
    EXPECT_EQ(station->m_nPriceMode, CGroup::kPriceFixed);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(MaterialsReport, PropertiesEditTheFocusedSelectedRowOnly) {
    AddPart(Root(), "Track", "Acme", "Straight", 1.50);
    AddPart(Root(), "Track", "Acme", "Curve", 2.50);
    int edits = 0;
    host.WhenModal("2D Object properties", [&](CWnd& modal) {
        ++edits;
        Click(modal, IDCANCEL);
    });
    WithReport([&](CMaterialsReportDialog& report) {
        CMaterialsListCtrl& list = report.GetList();
        // Nothing selected: nothing edited.
        list.SetItemState(-1, 0, LVIS_SELECTED);
        Click(report, IDC_CATALOG_PROPERTIES);
        EXPECT_EQ(edits, 0);
        ClickRow(list, 1);
        EXPECT_EQ(list.CurrentRow(), 1);
        Click(report, IDC_CATALOG_PROPERTIES);
        EXPECT_EQ(edits, 1);
        // After the rows are gone the old row is not used.
        Click(report, IDC_REPORT_TRACK);
        Click(report, IDC_CATALOG_PROPERTIES);
        EXPECT_EQ(edits, 1);
    });
}

TEST_F(MaterialsReport, PrintListsTheRowsAsShownWithTheirTotals) {
    doc->SetTitle("Yard");
    for (int i = 0; i < 3; ++i) AddPart(Root(), "Track", "Acme", "Straight", 2.50);
    AddPart(Root(), "Track", "Acme", "Curve", 1.25, 2.0);
    WithReport([&](CMaterialsReportDialog& report) {
        PrintInto(folder / "report.pdf");
        Click(report, IDC_REPORT_PRINT);
        EXPECT_EQ(CountPdfPages(folder / "report.pdf"), 1);

        Click(report, IDC_REPORT_INVENTORY);
        EXPECT_EQ(report.PrintTitle(), "Yard Inventory Materials Report");
        CCataloguePrintout printout(report.PrintTitle(),
                                    std::vector<CCataloguePrintout::Column>(7, {"c", 1.0f / 7, false}),
                                    CCataloguePrintout::PageRule::kMillimetres);
        report.FillPrintout(printout);
        CDC dc;
        dc.CreatePrinterDC((folder / "inventory.pdf").c_str());
        dc.EnableTrace(true);
        printout.Print(dc);
        std::vector<CString> texts;
        for (const CDCTraceEntry& entry : dc.GetTrace())
            if (entry.primitive == "TextOut")
                texts.push_back(entry.text);
        // The rows: quantity, the part's own price and the cost; the totals: pieces and cost.
        for (const char* expected :
             {"Straight", "3", "2.50", "7.50", "Curve", "2", "1.25", "Total", "5", "10.00"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), CString(expected)), texts.end()) << expected;
    });
}
