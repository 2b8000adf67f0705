#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// The framework's reading of a command line: a file name opens it, /p prints it, /pt prints it
// to a named printer, /dde, /Embedding and /Automation are starts by other programs.
class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;
    // One parameter: flag tells whether it began with '/' or '-' (which is then dropped).
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseFlag(const char* flag);
    void ParseFileName(const char* param);
    int m_printToArgument = 0;
};
