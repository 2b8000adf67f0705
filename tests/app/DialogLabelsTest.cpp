#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "platform/base/CWinPath.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CHeaderCtrl.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CDC.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowManager.h"
#include "resources/ProgramDialogs.h"
#include "resources/StringTable.h"
#include "tests/app/EveryDialogTemplate.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/TestPictures.h"
#include "view3d/CTrainPropertyDialog.h"

namespace {

// A shown text of a control: the room the control gives it, the room it needs, and the part
// of the dialog the text covers (all in the dialog's client coordinates).
struct Label {
    CString text;
    CRect room;
    CSize needed;
    CRect ink;
    CWnd* control;
    // What the label covers of the dialog: a push button its whole face, else its ink.
    CRect body;
};

class LabelMeasure {
  public:
    explicit LabelMeasure(CDialog& dialog) : m_dialog(dialog) {
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(dialog.GetFont());
    }

    // The labels of the visible controls that show a text; pictures and owner-drawn controls
    // show none.
    std::vector<Label> Labels() {
        std::vector<Label> labels;
        for (CWnd* control : m_dialog.Children()) {
            CString text;
            control->GetWindowText(text);
            text = MenuText::WithoutPrefixMarks(text);
            if ((control->GetStyle() & WS_VISIBLE) == 0 || text.IsEmpty())
                continue;
            if (auto* button = dynamic_cast<CButton*>(control); button != nullptr && ShowsText(*button))
                labels.push_back(ButtonLabel(*button, text));
            if (auto* label = dynamic_cast<CStatic*>(control); label != nullptr && ShowsText(*label))
                labels.push_back(StaticLabel(*label, text));
        }
        return labels;
    }

  private:
    static bool ShowsText(const CButton& button) {
        return button.GetButtonStyle() != BS_OWNERDRAW && (button.GetStyle() & (BS_ICON | BS_BITMAP)) == 0;
    }
    static bool ShowsText(const CStatic& label) {
        const DWORD kind = label.GetStyle() & SS_TYPEMASK;
        return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
               kind == SS_LEFTNOWORDWRAP;
    }

    // Push buttons and group boxes are as tall as the framework makes them: only their width
    // is measured.
    Label ButtonLabel(CButton& button, const CString& text) {
        CRect client;
        button.GetClientRect(&client);
        const CSize extent = m_dc.GetTextExtent(text);
        if (button.GetButtonStyle() == BS_GROUPBOX) {
            const CRect room(client.left + 10, client.top, client.right - 2, client.top + extent.cy);
            return Placed(button, text, room, CSize(extent.cx, 0), CPoint(room.left, room.top));
        }
        if (button.IsPushButton() || (button.GetStyle() & BS_PUSHLIKE)) {
            CRect room = client;
            room.DeflateRect(3, 3);
            const CPoint at(room.CenterPoint().x - extent.cx / 2, room.CenterPoint().y - extent.cy / 2);
            return Placed(button, text, room, CSize(extent.cx, 0), at);
        }
        const CRect room = button.LabelRect();
        return Placed(button, text, room, extent, CPoint(room.left, room.CenterPoint().y - extent.cy / 2));
    }

    // A static breaks its text at blanks into as many lines as its width needs, unless it
    // keeps to one line.
    Label StaticLabel(CStatic& label, const CString& text) {
        CRect room;
        label.GetClientRect(&room);
        const DWORD kind = label.GetStyle() & SS_TYPEMASK;
        const bool oneLine =
            kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP || (label.GetStyle() & SS_CENTERIMAGE);
        CSize needed = m_dc.GetTextExtent(text);
        if (!oneLine && needed.cx > room.Width()) {
            CRect lines(0, 0, room.Width(), 0);
            m_dc.DrawText(text, &lines, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            needed = CSize(WidestWord(text), lines.Height());
        }
        int left = room.left;
        if (kind == SS_CENTER)
            left = room.CenterPoint().x - needed.cx / 2;
        if (kind == SS_RIGHT)
            left = room.right - needed.cx;
        return Placed(label, text, room, needed, CPoint(left, room.top));
    }

    int WidestWord(const CString& text) {
        int widest = 0;
        for (int start = 0; start < text.GetLength();) {
            int end = text.Find(' ', start);
            if (end < 0)
                end = text.GetLength();
            widest = std::max(widest, static_cast<int>(m_dc.GetTextExtent(text.Mid(start, end - start)).cx));
            start = end + 1;
        }
        return widest;
    }

    Label Placed(CWnd& control, const CString& text, CRect room, CSize needed, CPoint inkAt) {
        const CSize inkSize(needed.cx, needed.cy > 0 ? needed.cy : m_dc.GetTextExtent(text).cy);
        CRect ink(inkAt, inkSize);
        for (CRect* rect : {&room, &ink}) {
            control.ClientToScreen(rect);
            m_dialog.ScreenToClient(rect);
        }
        CRect body = ink;
        if (auto* button = dynamic_cast<CButton*>(&control);
            button != nullptr && (button->IsPushButton() || (button->GetStyle() & BS_PUSHLIKE))) {
            control.GetWindowRect(&body);
            m_dialog.ScreenToClient(&body);
        }
        return {text, room, needed, ink, &control, body};
    }

    CDialog& m_dialog;
    CDC m_dc;
};

// A visible control that a label must leave free; a group box holds the controls it frames.
bool LiesApart(CWnd& control) {
    auto* button = dynamic_cast<CButton*>(&control);
    return (control.GetStyle() & WS_VISIBLE) != 0 &&
           (button == nullptr || button->GetButtonStyle() != BS_GROUPBOX);
}

// No label of the dialog, nor a push button's face, lies over another visible control.
void ExpectLabelsClearOfControls(CDialog& dialog, const std::vector<Label>& labels) {
    for (const Label& label : labels)
        for (CWnd* other : dialog.Children()) {
            CRect place, overlap;
            other->GetWindowRect(&place);
            dialog.ScreenToClient(&place);
            if (other != label.control && LiesApart(*other)) {
                EXPECT_FALSE(overlap.IntersectRect(&label.body, &place))
                    << "\"" << label.text << "\" lies over control " << other->GetDlgCtrlID();
            }
        }
}

}  // namespace

// Our fonts are not the ones the layouts were first drawn for: every label must still show
// whole, no two labels may run into each other, and no label may lie over another control.
TEST(DialogLabels, EveryTemplateShowsEachLabelWholeAndApartFromTheOthers) {
    WindowManager::Instance().Reset();
    HeadlessHost host;
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, "Owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 800), nullptr, 0));
    int measured = 0;
    for (const DialogTemplate* dialogTemplate : EveryDialogTemplate()) {
        ASSERT_NE(dialogTemplate, nullptr);
        SCOPED_TRACE(testing::Message()
                     << "dialog " << dialogTemplate->id << " \"" << dialogTemplate->caption << "\"");
        CDialog dialog;
        ASSERT_TRUE(dialog.CreateIndirect(*dialogTemplate, &owner));
        const std::vector<Label> labels = LabelMeasure(dialog).Labels();
        for (const Label& label : labels) {
            EXPECT_LE(label.needed.cx, label.room.Width())
                << "\"" << label.text << "\" is cut off at the side";
            EXPECT_LE(label.needed.cy, label.room.Height()) << "\"" << label.text << "\" is cut off below";
        }
        for (std::size_t i = 0; i < labels.size(); ++i)
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                CRect overlap;
                EXPECT_FALSE(overlap.IntersectRect(&labels[i].ink, &labels[j].ink))
                    << "\"" << labels[i].text << "\" runs into \"" << labels[j].text << "\"";
            }
        ExpectLabelsClearOfControls(dialog, labels);
        measured += static_cast<int>(labels.size());
        dialog.DestroyWindow();
    }
    // The walk reached the labels: a dialog that made no controls would pass unseen.
    EXPECT_GT(measured, 400);
}

namespace {

// The program's dialogs with the texts it puts into them as it runs them.
class ProgramDialogTexts : public PlanInProgram {
  protected:
    // A header draws its titles this far in from either side of their column.
    static constexpr int kHeaderTextInset = 6;
    // An edit draws its text this far in from its sides.
    static constexpr int kEditMarginX = 2;

    static CDC& Measuring(CDC& dc, CWnd& control) {
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(control.GetFont());
        return dc;
    }
    // Every column title of a list fits its column; answers how many there are.
    static int ExpectHeadersWhole(CWnd& dialog, UINT listId) {
        auto* list = dynamic_cast<CListCtrl*>(dialog.GetDlgItem(static_cast<int>(listId)));
        EXPECT_NE(list, nullptr);
        if (list == nullptr)
            return 0;
        CHeaderCtrl& header = *list->GetHeaderCtrl();
        CDC dc;
        Measuring(dc, *list);
        for (int i = 0; i < header.GetItemCount(); ++i) {
            char text[128] = {};
            HDITEM item{HDI_TEXT | HDI_WIDTH, 0, text, nullptr, sizeof text, 0, 0};
            header.GetItem(i, &item);
            EXPECT_LE(dc.GetTextExtent(text).cx + 2 * kHeaderTextInset, item.cxy)
                << "\"" << text << "\" is cut off";
        }
        return header.GetItemCount();
    }
};

}  // namespace

// The materials report's columns, its "Quantity" among them in the inventory view, the parts
// list's columns and the train's longest status show their texts whole.
TEST_F(ProgramDialogTexts, ListHeadersAndStatusTextsShowWhole) {
    int headers = 0;
    host.WhenModal("Materials Report", [&](CWnd& dialog) {
        host.ClickClient(dialog.GetDlgItem(IDC_REPORT_INVENTORY), CPoint(4, 4));
        headers += ExpectHeadersWhole(dialog, IDC_CATALOG_LIST);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    Main().SendMessage(WM_COMMAND, ID_MATERIALS_REPORT);
    host.RunUntilIdle();
    EXPECT_EQ(headers, 8);

    // A layout without a parts file asks which one to open before it shows the parts list.
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;1;1;1.00;N;\r\n";
    host.WhenModal("Open", [&](CWnd& open) {
        open.GetDlgItem(edt1)->SetWindowText(CString((folder / "parts.cvp").c_str()));
        host.PressKey(VK_RETURN);
    });
    host.WhenModal("Manufacturer Parts List", [&](CWnd& dialog) {
        headers += ExpectHeadersWhole(dialog, IDC_CATALOG_LIST);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    Main().SendMessage(WM_COMMAND, ID_PARTS_LIST);
    host.RunUntilIdle();
    EXPECT_EQ(headers, 8 + 9);

    CTrainPropertyDialog train(&Main());
    train.m_nStatusId = IDS_MAXIMUM_DISTANCE_BETWEEN_TRACK_CONNECTIONS_EXCEEDED;
    CString shown;
    host.WhenModal("Train properties", [&](CWnd& dialog) {
        CWnd& status = *dialog.GetDlgItem(IDC_TRAIN_STATUS);
        status.GetWindowText(shown);
        CRect room;
        status.GetClientRect(&room);
        CDC dc;
        EXPECT_LE(Measuring(dc, status).GetTextExtent(shown).cx + 2 * kEditMarginX, room.Width());
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    train.DoModal();
    EXPECT_EQ(shown, "Maximum distance between track connections exceeded.");
}

namespace {

struct OpenedDialog {
    UINT command;
    const char* caption;
};
void PrintTo(const OpenedDialog& dialog, std::ostream* out) {
    *out << dialog.caption;
}

class ProgramDialogLayout : public ProgramDialogTexts, public testing::WithParamInterface<OpenedDialog> {};

}  // namespace

// The dialogs as the program lays them out and fills them when they open: their tabs, columns
// and texts leave every label and button apart from the other controls.
TEST_P(ProgramDialogLayout, OpenedDialogKeepsItsLabelsClearOfOtherControls) {
    CCVNDoc& layout = *ActiveLayout();
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;1;1;1.00;N;\r\n";
    layout.m_strPartsPath = CWinPath::FromReal(folder / "parts.cvp");
    layout.m_strLibraryPath = CWinPath::FromReal(folder / "symbols.cvl");
    int measured = 0;
    host.WhenModal(GetParam().caption, [&](CWnd& modal) {
        auto& dialog = dynamic_cast<CDialog&>(modal);
        const std::vector<Label> labels = LabelMeasure(dialog).Labels();
        ExpectLabelsClearOfControls(dialog, labels);
        measured = static_cast<int>(labels.size());
        if (const CString png = TestPicturePath(CString("dialog-") + GetParam().caption + ".png");
            !png.IsEmpty())
            host.DumpWindow(&dialog, png);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    Main().SendMessage(WM_COMMAND, GetParam().command);
    host.RunUntilIdle();
    // The 3D tools ask for their object once it is drawn on the plan.
    if (measured == 0)
        host.DragClient(Main().MDIGetActive()->GetActiveView(), CPoint(100, 200), CPoint(250, 260), 6);
    EXPECT_GT(measured, 8);
}

INSTANTIATE_TEST_SUITE_P(Catalogue3DObjects, ProgramDialogLayout,
                         testing::Values(OpenedDialog{ID_PARTS_LIST, "Manufacturer Parts List"},
                                         OpenedDialog{ID_LIBRARY_GET_OBJECT, "Library"},
                                         OpenedDialog{ID_TOOL_3D_OBJECT, "3D Objects properties"},
                                         OpenedDialog{ID_TOOL_3D_BITMAP, "3D Bitmap properties"}));
