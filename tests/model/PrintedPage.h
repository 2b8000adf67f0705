#pragma once

#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"

// A printer page, printed into a file in a folder of its own, for the engine to draw on.
struct PrintedPage {
    // Whether the printer came up; from then on the engine draws on it, and the host reports a
    // printable area of width by height.
    bool Start(CTool& tool, CTestHost& host, int width, int height) {
        if (!printer.CreatePrinterDC((folder / "page.pdf").string().c_str()))
            return false;
        tool.SetTargetDC(&printer, nullptr);
        host.m_nPrintableWidth = width;
        host.m_nPrintableHeight = height;
        return true;
    }

    TestFolder folder;
    CDC printer;
};
