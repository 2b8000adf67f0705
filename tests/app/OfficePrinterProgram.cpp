#include "tests/app/OfficePrinterProgram.h"

#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <optional>

#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/PrinterMargins.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CPrintInfo.h"
#include "resources/CommandIds.h"

namespace {

// Margins in hundredths of a millimetre.
class OfficeQueue : public CQueueDescription {
  public:
    explicit OfficeQueue(bool isTheDefault) : m_isTheDefault(isTheDefault) {}
    std::optional<QueueMedia> MediaOf(const CString& queue, int, int) const override {
        if (queue != "Office")
            return std::nullopt;
        return QueueMedia{21000, 29700, 500, 600, 420, 1270};
    }
    CString DefaultQueue() const override { return m_isTheDefault ? "Office" : ""; }

  private:
    bool m_isTheDefault;
};

}  // namespace

void OfficePrinterProgram::SetUp() {
    RunningProgram::SetUp();
    WriteScript("lpstat", "echo 'Office accepting requests since Mon 01 Jan 2024'\n");
    WriteScript("lp", "echo \"$@\" > '" + (folder / "lp-arguments").string() + "'\n" +
                          "for last; do :; done\ncp \"$last\" '" + (folder / "spooled.pdf").string() + "'\n");
    PrinterQueue::SetCommands((folder / "lpstat").c_str(), (folder / "lp").c_str());
    PrinterMargins::SetQueueDescription(std::make_unique<OfficeQueue>(officeIsTheDefault));
    CPrintDialog::ResetSessionPrinter();
    ASSERT_TRUE(Start());
}

void OfficePrinterProgram::TearDown() {
    AfxSetPrintPrompt(nullptr);
    RunningProgram::TearDown();
    PrinterQueue::SetCommands("lpstat", "lp");
    PrinterMargins::SetQueueDescription(nullptr);
    CPrintDialog::ResetSessionPrinter();
}

void OfficePrinterProgram::ChooseOfficeInLandscape() {
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        auto* printers = static_cast<CComboBox*>(dialog.GetDlgItem(cmb4));
        printers->SetCurSel(printers->FindStringExact(-1, "Office"));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
        static_cast<CDialog&>(dialog).CheckRadioButton(rad1, rad2, rad2);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(rad2, BN_CLICKED), 0);
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
    host.RunUntilIdle();
}

CCVNDoc& OfficePrinterProgram::DrawLineReaching(double across) {
    DrawLine();
    CCVNDoc& layout = *ActiveLayout();
    layout.m_nPrintScaleChoice = 1;
    layout.m_fPrintScale = 1.0;
    layout.m_fPageWidth = 20000.0;
    layout.m_fPageHeight = 20000.0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    const CPose identity;
    layout.m_rootGroup.GetBounds(&identity, minX, minY, maxX, maxY);
    layout.m_tool.SelectAll(0);
    layout.m_tool.MoveSelection(across - maxX, -2500.0 - minY, 0, 0, 0);
    return layout;
}

void OfficePrinterProgram::WriteScript(const char* name, const std::string& body) {
    std::ofstream(folder / name) << "#!/bin/sh\n" << body;
    chmod((folder / name).c_str(), 0755);
}
