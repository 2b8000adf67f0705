#include "model/CCVNDoc.h"
#include "platform/ctl/CComboBox.h"
#include "resources/CommandIds.h"
#include "resources/DocumentSetupTemplate.h"
#include "shell/CDocumentSetupDialog.h"
#include "shell/PlanDialogs.h"
#include "tests/shell/DialogDriving.h"

namespace {
constexpr int kMillimetres = 8;

class DocumentSetupDialogTest : public DialogDriving {
  protected:
    void SetUp() override {
        DialogDriving::SetUp();
        document.m_bAutoDelete = false;
        document.m_nUnitIndex = kMillimetres;
        document.m_fPageWidth = 100000.0;
        document.m_fPageHeight = 20000.0;
        document.m_fViewScale = 10.0;
        document.m_nPrintScaleChoice = 1;
        document.m_fPrintScale = 2.0;
    }
    // Types each view scale and presses OK: every one but the last is refused, and the
    // refusal's text and the control with the focus are kept.
    struct Refusal {
        CString text;
        int focusId = 0;
    };
    std::vector<Refusal> TryScales(CDocumentSetupDialog& dialog, std::vector<CString> scales) {
        std::vector<Refusal> refusals;
        host.WhenModal("Document setup", [&, scales](CWnd&) {
            for (size_t i = 0; i < scales.size(); ++i) {
                auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_SETUP_VIEW_SCALE));
                host.ClickClient(combo, CPoint(3, 3));
                combo->SetEditSel(0, -1);
                host.Type(scales[i]);
                const bool last = i + 1 == scales.size();
                if (!last)
                    host.AnswerMessageBox(IDOK);
                host.PressKey(VK_RETURN);
                if (!last)
                    refusals.push_back({host.MessageBoxes().back().text, CWnd::GetFocus()->GetDlgCtrlID()});
            }
        });
        return refusals;
    }

    CCVNDoc document;
};
}  // namespace

TEST_F(DocumentSetupDialogTest, ATenMetreLayoutIsRefusedAtScaleOneAndAcceptedAtFive) {
    CDocumentSetupDialog dialog;
    dialog.LoadFromDocument(&document);
    const std::vector<Refusal> refusals = TryScales(dialog, {"1", "0", "-3", "5x", "12.5", "5"});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(refusals.size(), 5U);
    EXPECT_EQ(refusals[0].text, "Document size too large for current scale.");
    ASSERT_EQ(host.MessageBoxes().size(), 5U);
    EXPECT_EQ(host.MessageBoxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    // Below 1 the scale would divide by zero or turn the plan over; a text that is no number is none.
    EXPECT_EQ(refusals[1].text, "The view scale must be between 1 and 1000000000.");
    EXPECT_EQ(refusals[2].text, refusals[1].text);
    EXPECT_EQ(refusals[3].text, refusals[1].text);
    // A whole-number field takes no fraction: it would be cut.
    EXPECT_EQ(refusals[4].text, refusals[1].text);
    for (const Refusal& refusal : refusals) EXPECT_EQ(refusal.focusId, IDC_SETUP_VIEW_SCALE);

    dialog.SaveToDocument(&document);
    EXPECT_EQ(document.m_fViewScale, 5.0);
    EXPECT_EQ(document.m_fPageWidth, 100000.0);
    EXPECT_EQ(document.m_fPageHeight, 20000.0);
    EXPECT_EQ(document.m_fPrintScale, 2.0);
    EXPECT_EQ(document.m_nPrintScaleChoice, 1);
}

TEST_F(DocumentSetupDialogTest, ASideOfExactlyThirtyTwoThousandScaledUnitsIsAccepted) {
    document.m_fPageWidth = 64000.0;
    document.m_fPageHeight = 64000.0;
    CDocumentSetupDialog dialog;
    dialog.LoadFromDocument(&document);
    TryScales(dialog, {"2"});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(dialog.ViewScale(), 2.0);
}

TEST_F(DocumentSetupDialogTest, APageWithoutWidthOrHeightIsRefusedAtItsField) {
    CDocumentSetupDialog dialog;
    dialog.LoadFromDocument(&document);
    std::vector<Refusal> refusals;
    host.WhenModal("Document setup", [&](CWnd&) {
        for (auto [id, typed] : {std::pair{IDC_SETUP_WIDTH, "0"}, std::pair{IDC_SETUP_HEIGHT, "-20"}}) {
            const CString before = TextOf(dialog.GetDlgItem(id));
            Retype(dialog.GetDlgItem(id), typed);
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            refusals.push_back({host.MessageBoxes().back().text, CWnd::GetFocus()->GetDlgCtrlID()});
            Retype(dialog.GetDlgItem(id), before);
        }
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(refusals.size(), 2U);
    EXPECT_EQ(refusals[0].text, "Please enter a document width between 0.100 and 32000.000.");
    EXPECT_EQ(refusals[0].focusId, IDC_SETUP_WIDTH);
    EXPECT_EQ(refusals[1].text, "Please enter a document height between 0.100 and 32000.000.");
    EXPECT_EQ(refusals[1].focusId, IDC_SETUP_HEIGHT);
}

TEST_F(DocumentSetupDialogTest, ATypedScaleIsShownAgainAndFitToPageDisablesThePrintScale) {
    CDocumentSetupDialog first;
    first.LoadFromDocument(&document);
    TryScales(first, {"12"});
    EXPECT_EQ(first.DoModal(), IDOK);
    first.SaveToDocument(&document);
    EXPECT_EQ(document.m_fViewScale, 12.0);

    document.m_nPrintScaleChoice = 0;
    CDocumentSetupDialog second;
    second.LoadFromDocument(&document);
    CString shownScale;
    int shownIndex = 0;
    BOOL printScaleEnabled = TRUE;
    std::vector<CString> printScaleRefusals;
    host.WhenModal("Document setup", [&](CWnd&) {
        auto* scales = static_cast<CComboBox*>(second.GetDlgItem(IDC_SETUP_VIEW_SCALE));
        shownScale = TextOf(scales);
        shownIndex = scales->GetCurSel();
        printScaleEnabled = second.GetDlgItem(IDC_SETUP_PRINT_SCALE)->IsWindowEnabled();
        // "1:" enables the print scale and moves the focus there; its range is 1 to 300.
        host.ClickClient(second.GetDlgItem(IDC_SETUP_FIXED_SCALE), CPoint(3, 3));
        EXPECT_TRUE(second.GetDlgItem(IDC_SETUP_PRINT_SCALE)->IsWindowEnabled());
        EXPECT_EQ(CWnd::GetFocus(), second.GetDlgItem(IDC_SETUP_PRINT_SCALE));
        for (const char* typed : {"0.5", "301"}) {
            Retype(second.GetDlgItem(IDC_SETUP_PRINT_SCALE), typed);
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            printScaleRefusals.push_back(host.MessageBoxes().back().text);
        }
        Retype(second.GetDlgItem(IDC_SETUP_PRINT_SCALE), "300");
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(shownScale, "12");
    EXPECT_EQ(shownIndex, -1);
    EXPECT_FALSE(printScaleEnabled);
    EXPECT_EQ(printScaleRefusals, (std::vector<CString>{"Please enter a number between 1 and 300.",
                                                        "Please enter a number between 1 and 300."}));
    EXPECT_EQ(second.m_nPrintScaleMode, 1);
    EXPECT_EQ(second.m_fPrintScale, 300.0);
}

TEST_F(DocumentSetupDialogTest, ThePageSetupCommandRunsTheInstalledDialogAndKeepsWhatItAccepts) {
    InstallPlanDialogs();
    for (const char* scale : {"5", "2"}) {
        host.WhenModal("Document setup", [&](CWnd& modal) {
            auto* combo = static_cast<CComboBox*>(modal.GetDlgItem(IDC_SETUP_VIEW_SCALE));
            host.ClickClient(combo, CPoint(3, 3));
            combo->SetEditSel(0, -1);
            host.Type(scale);
            host.PressKey(*scale == '5' ? VK_RETURN : VK_ESCAPE);
        });
        document.OnCmdMsg(ID_DOCUMENT_SETUP, CN_COMMAND, nullptr, nullptr);
    }
    CCVNDoc::InstallDialogs({});
    EXPECT_EQ(document.m_fViewScale, 5.0);
    EXPECT_EQ(document.m_fPageWidth, 100000.0);
    // The 3D world is measured from the new page.
    EXPECT_EQ(document.m_f3DScaleDivisor, 100000.0 * 0.0625);
    EXPECT_TRUE(host.UnansweredModals().empty());
}

// Enter at once keeps the page exactly as it was in every unit, however the unit rounds it.
TEST_F(DocumentSetupDialogTest, EnterWithoutTypingKeepsThePageExactly) {
    document.m_fPageWidth = 21590.0;
    document.m_fPageHeight = 27940.0;
    for (int unit : {kMillimetres, 4, 3}) {
        document.m_nUnitIndex = unit;
        CDocumentSetupDialog dialog;
        dialog.LoadFromDocument(&document);
        host.WhenModal("Document setup", [&](CWnd&) { host.PressKey(VK_RETURN); });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        dialog.SaveToDocument(&document);
        EXPECT_EQ(document.m_fPageWidth, 21590.0) << unit;
        EXPECT_EQ(document.m_fPageHeight, 27940.0) << unit;
    }
}

// The largest side a refusal names is the largest the dialog takes, at every view scale: the
// scale's bound, and the file's limit only where the scale allows more.
TEST_F(DocumentSetupDialogTest, TheLargestSideARefusalNamesIsTakenAtEveryViewScale) {
    constexpr int kInches = 4;
    const struct {
        int unit;
        const char* scale;
        const char* largest;
        double side;
    } rows[] = {
        {kMillimetres, "10", "32000.000", 320000.0}, {kMillimetres, "3125", "10000000.000", 1e8},
        {kInches, "3125", "393700.787", 1e8},        {kInches, "31249", "3936881.890", 31249 * 32000.0},
        {kInches, "31250", "3937007.874", 1e9},      {kInches, "1000000000", "3937007.874", 1e9},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale);
        document.m_nUnitIndex = row.unit;
        CDocumentSetupDialog dialog;
        dialog.LoadFromDocument(&document);
        const size_t boxes = host.MessageBoxes().size();
        host.WhenModal("Document setup", [&](CWnd&) {
            auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_SETUP_VIEW_SCALE));
            host.ClickClient(combo, CPoint(3, 3));
            combo->SetEditSel(0, -1);
            host.Type(row.scale);
            Retype(dialog.GetDlgItem(IDC_SETUP_WIDTH), "1e300");
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            Retype(dialog.GetDlgItem(IDC_SETUP_WIDTH), row.largest);
            host.PressKey(VK_RETURN);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(host.MessageBoxes().back().text, CString("Please enter a document width between ") +
                                                       (row.unit == kInches ? "0.004" : "0.100") + " and " +
                                                       row.largest + ".");
        dialog.SaveToDocument(&document);
        EXPECT_EQ(document.m_fPageWidth, row.side);
    }
}
