#pragma once

#include <vector>

#include "platform/base/CString.h"

// The machine's printers as CUPS knows them: asked of `lpstat -a`, printed through `lp`. Where
// CUPS is not installed there are none, and the print dialog offers only "Save as PDF".
namespace PrinterQueue {
// The printer that writes a PDF file instead of printing.
inline constexpr const char* kSaveAsPdf = "Save as PDF";

// The queues accepting jobs: the first word of each line `lpstat -a` prints.
std::vector<CString> ParseAcceptingQueues(const CString& lpstatOutput);
std::vector<CString> InstalledPrinters();
// The printer jobs go to until print setup chooses one: the queues' default, else "Save as PDF".
CString DefaultPrinter();
// Sends a PDF file to a queue; answers false when lp could not be run or failed.
bool SendToPrinter(const CString& printer, const CString& pdfPath, int copies);

// The programs used (found on PATH unless set); tests set stand-ins.
void SetCommands(const CString& lpstat, const CString& lp);
}  // namespace PrinterQueue
