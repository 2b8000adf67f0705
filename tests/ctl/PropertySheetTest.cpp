#include <gtest/gtest.h>

#include <vector>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/DataExchange.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/support/DialogInput.h"
#include "tests/support/TestPictures.h"

namespace {
constexpr UINT IDC_COUNT = 2001;
constexpr UINT IDC_LABEL = 2002;
constexpr UINT IDC_EXTRA = 2003;

DialogTemplate PageTemplate(const char* caption, const char* kind, DWORD style) {
    return DialogTemplate(
        0, caption, WS_CHILD, CRect(0, 0, 180, 90),
        {{0, WC_STATIC, "&Value:", WS_CHILD | WS_VISIBLE, CRect(7, 9, 47, 17)},
         {IDC_COUNT, kind, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, CRect(50, 7, 150, 21)}});
}

// The page's template, made before the page that refers to it.
struct PageTemplateHolder {
    explicit PageTemplateHolder(const char* caption)
        : pageTemplate(PageTemplate(caption, WC_EDIT, WS_BORDER)) {}
    DialogTemplate pageTemplate;
};

// A page with one number that must lie between 1 and 10, and a log of what the sheet told it.
class CountPage : private PageTemplateHolder, public CPropertyPage {
  public:
    CountPage(const char* caption, std::vector<CString>& log)
        : PageTemplateHolder(caption), CPropertyPage(pageTemplate), m_log(log) {}

    int count = 5;
    int made = 0;

    CString Name() const { return GetCaption(); }

  protected:
    BOOL OnInitDialog() override {
        ++made;
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_COUNT, count);
        DDV_MinMaxInt(dx, count, 1, 10);
    }
    BOOL OnSetActive() override {
        m_log.push_back("active " + Name());
        return CPropertyPage::OnSetActive();
    }
    void OnOK() override { m_log.push_back("ok " + Name()); }
    void OnCancel() override { m_log.push_back("cancel " + Name()); }

  private:
    std::vector<CString>& m_log;
};

// A sheet that renames and moves its buttons and adds a check box of its own.
class TrackSheet : public CPropertySheet {
  public:
    TrackSheet() : CPropertySheet("Track Properties") {}
    CButton extra;

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CPropertySheet::OnInitDialog();
        GetDlgItem(ID_APPLY_NOW)->SetWindowText("&Update");
        CRect cancel;
        GetDlgItem(IDCANCEL)->GetWindowRect(&cancel);
        ScreenToClient(&cancel);
        extra.Create("&Keep", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                     CRect(7, cancel.top, 52, cancel.bottom), this, IDC_EXTRA);
        extra.SetFont(GetFont());
        return result;
    }
};

// A track sheet of three counting pages, and the log they write.
struct ThreePageSheet {
    ThreePageSheet() {
        for (CountPage* page : {&first, &second, &third}) sheet.AddPage(page);
    }
    std::vector<CString> log;
    CountPage first{"Geometry", log};
    CountPage second{"Ballast", log};
    CountPage third{"Notes", log};
    TrackSheet sheet;
};

class PropertySheetTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override { WindowManager::Instance().Reset(); }

    void ClickTab(CPropertySheet& sheet, int index) {
        DialogInput::ClickTab(host, sheet.GetTabControl(), index);
    }
    void Retype(CWnd* edit, const CString& text) { DialogInput::Retype(host, edit, text); }
    HeadlessHost host;
};
}  // namespace

TEST_F(PropertySheetTest, PagesAreMadeLazilyARefusingPageStaysAndOKReachesEveryMadePage) {
    ThreePageSheet three;
    auto& [log, first, second, third, sheet] = three;
    host.WhenModal("Track Properties", [&](CWnd&) {
        EXPECT_EQ(sheet.GetActivePage(), &first);
        EXPECT_TRUE(IsWindow(&first));
        EXPECT_FALSE(IsWindow(&second));
        EXPECT_FALSE(IsWindow(&third));
        EXPECT_EQ(CWnd::GetFocus(), first.GetDlgItem(IDC_COUNT));

        // A bad number keeps the page, with the focus on it.
        Retype(first.GetDlgItem(IDC_COUNT), "42");
        host.AnswerMessageBox(IDOK);
        ClickTab(sheet, 2);
        EXPECT_EQ(sheet.GetActivePage(), &first);
        EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
        EXPECT_EQ(CWnd::GetFocus(), first.GetDlgItem(IDC_COUNT));
        EXPECT_FALSE(IsWindow(&third));

        Retype(first.GetDlgItem(IDC_COUNT), "7");
        ClickTab(sheet, 2);
        EXPECT_EQ(sheet.GetActivePage(), &third);
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_TRUE(IsWindow(&third));
        EXPECT_FALSE(IsWindow(&second));
        EXPECT_FALSE(first.IsWindowVisible());
        EXPECT_TRUE(third.IsWindowVisible());

        // The buttons are the sheet's own children, renamed, and the added check box works.
        CString apply;
        sheet.GetDlgItem(ID_APPLY_NOW)->GetWindowText(apply);
        EXPECT_EQ(apply, "&Update");
        host.ClickClient(&sheet.extra, CPoint(5, 5));
        EXPECT_EQ(sheet.extra.GetCheck(), 1);

        Retype(third.GetDlgItem(IDC_COUNT), "3");
        if (const CString png = TestPicturePath("ctl-sheet.png"); !png.IsEmpty()) {
            EXPECT_TRUE(host.DumpWindow(&sheet, png));
        }
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.count, 7);
    EXPECT_EQ(third.count, 3);
    EXPECT_EQ(second.made, 0);
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(log, (std::vector<CString>{"active Geometry", "active Notes", "ok Geometry", "ok Notes"}));
}

TEST_F(PropertySheetTest, CancelReachesEveryMadePageAndLeavesTheMembers) {
    std::vector<CString> log;
    CountPage first("Geometry", log);
    CountPage second("Ballast", log);
    CPropertySheet sheet("Options");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    host.WhenModal("Options", [&](CWnd&) {
        EXPECT_TRUE(sheet.SetActivePage(1));
        Retype(second.GetDlgItem(IDC_COUNT), "9");
        EXPECT_TRUE(sheet.SetActivePage(0));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<CString>{"active Geometry", "active Ballast", "active Geometry",
                                         "cancel Geometry", "cancel Ballast"}));
    // Leaving the page exchanged its value; Cancel does not undo what the page holds.
    EXPECT_EQ(second.count, 9);
}

TEST_F(PropertySheetTest, PagesKeptBetweenSheetsShowWhatWasTypedBefore) {
    std::vector<CString> log;
    CountPage page("Geometry", log);
    for (const char* typed : {"8", ""}) {
        TrackSheet sheet;
        sheet.AddPage(&page);
        CString shown;
        host.WhenModal("Track Properties", [&](CWnd&) {
            page.GetDlgItem(IDC_COUNT)->GetWindowText(shown);
            if (*typed)
                Retype(page.GetDlgItem(IDC_COUNT), typed);
            sheet.PressButton(PSBTN_OK);
        });
        sheet.DoModal();
        EXPECT_EQ(shown, *typed ? "5" : "8");
    }
    EXPECT_EQ(page.count, 8);
}

TEST_F(PropertySheetTest, ControlTabAndControlPageKeysTurnThePages) {
    ThreePageSheet three;
    auto& [log, first, second, third, sheet] = three;
    std::vector<int> shown;
    auto chord = [&](std::vector<UINT> modifiers, UINT key) {
        for (UINT modifier : modifiers) host.KeyDown(modifier);
        host.PressKey(key);
        for (UINT modifier : modifiers) host.KeyUp(modifier);
        shown.push_back(sheet.GetActiveIndex());
        EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), sheet.GetActiveIndex());
    };
    host.WhenModal("Track Properties", [&](CWnd&) {
        chord({VK_CONTROL}, VK_TAB);
        // The focus goes to the new page's first control.
        EXPECT_EQ(CWnd::GetFocus(), second.GetDlgItem(IDC_COUNT));
        chord({VK_CONTROL}, VK_NEXT);
        chord({VK_CONTROL}, VK_TAB);
        chord({VK_CONTROL, VK_SHIFT}, VK_TAB);
        chord({VK_CONTROL}, VK_PRIOR);
        // With the focus on the tabs it stays there.
        sheet.GotoDlgCtrl(sheet.GetTabControl());
        chord({VK_CONTROL}, VK_PRIOR);
        EXPECT_EQ(CWnd::GetFocus(), sheet.GetTabControl());
        // A page that refuses to be left stays, with the focus on its bad value.
        Retype(first.GetDlgItem(IDC_COUNT), "42");
        host.AnswerMessageBox(IDOK);
        chord({VK_CONTROL}, VK_TAB);
        EXPECT_EQ(CWnd::GetFocus(), first.GetDlgItem(IDC_COUNT));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 2, 1, 0, 0}));
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(log,
              (std::vector<CString>{"active Geometry", "active Ballast", "active Notes", "active Geometry",
                                    "active Notes", "active Ballast", "active Geometry", "cancel Geometry",
                                    "cancel Ballast", "cancel Notes"}));
}
