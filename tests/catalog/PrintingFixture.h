#pragma once

#include <filesystem>

#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/CommonDialogPrompts.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/cdlg/PrinterQueue.h"
#include "tests/catalog/CatalogFixture.h"

// The catalogue on a machine without printer queues: the print dialog's printer is "Save as
// PDF", whose file the test names.
class PrintingFixture : public CatalogFixture {
  protected:
    void SetUp() override {
        CatalogFixture::SetUp();
        PrinterQueue::SetCommands("/nonexistent/lpstat", "/nonexistent/lp");
        CPrintDialog::ResetSessionPrinter();
        AfxInstallCommonDialogs();
    }
    void TearDown() override {
        PrinterQueue::SetCommands("lpstat", "lp");
        CatalogFixture::TearDown();
    }
    // The next print dialog prints into the file.
    void PrintInto(const std::filesystem::path& pdf) {
        host.WhenModal("Print", [this, pdf](CWnd& dialog) {
            Retype(dialog, edt4, PathText(pdf));
            host.PressKey(VK_RETURN);
        });
    }
};
