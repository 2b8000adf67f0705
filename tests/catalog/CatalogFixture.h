#pragma once

#include <memory>

#include "drawing/CBox.h"
#include "drawing/DrawingObjects.h"
#include "drawing/DrawingPropertiesDialog.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/Resources.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

// A layout of catalogue parts (boxes with catalogue texts) on the headless screen, and
// helpers to drive the catalogue dialogs' lists.
class CatalogFixture : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        RegisterResources();
        RegisterTrackPieces();
        RegisterDrawingObjects();
        RegisterDrawingPropertiesDialog();
        doc = std::make_unique<CCVNDoc>();
        doc->OnNewDocument();
    }
    void TearDown() override {
        doc.reset();
        CommonDialogTest::TearDown();
    }

    // Retypes a field; the clock moves on first, so that two clicks on one field never make a
    // double click.
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        host.AdvanceClock(kPastDoubleClick);
        CommonDialogTest::Retype(dialog, id, text);
    }

    CGroup* Root() { return &doc->m_rootGroup; }

    // A part 100 x 100 at (x, y), shown in reports.
    CBox* AddPart(CGroup* group, const CString& category, const CString& manufacturer, const CString& name,
                  double price, double quantity = 1.0, double x = 0.0, double y = 0.0) {
        auto* part = new CBox(0, &doc->m_tool, x, y);
        part->MoveBoxCorner(3, x + 100.0, y - 100.0, nullptr);
        part->m_strCategory = category;
        part->m_strManufacturer = manufacturer;
        part->m_strName = name;
        part->m_strScale = "HO";
        part->m_strType = "Kit";
        part->m_strPartNo = "P-" + name;
        part->m_fPrice = price;
        part->m_fQuantity = quantity;
        part->m_bShowInReport = 1;
        Adopt(group, part);
        return part;
    }
    CGroup* AddGroup(CGroup* group, const CString& name, int priceMode, double price = 0.0) {
        auto* nested = new CGroup();
        nested->SetTool(&doc->m_tool);
        nested->m_strCategory = "Structures";
        nested->m_strName = name;
        nested->m_nPriceMode = priceMode;
        nested->m_fPrice = price;
        nested->m_bShowInReport = 1;
        Adopt(group, nested);
        return nested;
    }
    static void Adopt(CGroup* group, CPaint* object) {
        group->m_members.push_back(object);
        object->SetOwnerGroup(group);
    }

    // Every cell of a row, the columns taken in order.
    static std::vector<CString> RowTexts(const CListCtrl& list, int row) {
        std::vector<CString> texts;
        LVCOLUMN info{};
        info.mask = LVCF_FMT;
        for (int column = 0; list.GetColumn(column, &info); ++column)
            texts.push_back(list.GetItemText(row, column));
        return texts;
    }
    static int ImageOf(const CListCtrl& list, int row) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list.GetItem(&item);
        return item.iImage;
    }
    // A click on the middle of a row's first cell; two make a double click.
    void ClickRow(CListCtrl& list, int row, int clicks = 1) {
        CRect rect;
        list.GetItemRect(row, &rect, LVIR_LABEL);
        for (int click = 0; click < clicks; ++click) host.ClickClient(&list, rect.CenterPoint());
    }

    static constexpr DWORD kPastDoubleClick = 1000;
    TestFolder folder;
    std::unique_ptr<CCVNDoc> doc;
};
