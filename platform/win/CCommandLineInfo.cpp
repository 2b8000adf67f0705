#include "platform/win/CCommandLineInfo.h"

#include <strings.h>

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
    if (!param) return;
    if (flag) {
        ParseFlag(param);
    } else {
        ParseFileName(param);
    }
}

void CCommandLineInfo::ParseFlag(const char* flag) {
    if (strcasecmp(flag, "p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (strcasecmp(flag, "pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (strcasecmp(flag, "dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (strcasecmp(flag, "Embedding") == 0) {
        m_bRunEmbedded = TRUE;
    } else if (strcasecmp(flag, "Automation") == 0) {
        m_bRunAutomated = TRUE;
    } else if (strcasecmp(flag, "Unregister") == 0 || strcasecmp(flag, "Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else {
        return;
    }
    // Starts that print or serve another program show no splash window.
    m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseFileName(const char* param) {
    if (m_nShellCommand == FilePrintTo && !m_strFileName.IsEmpty()) {
        CString* targets[] = {&m_strPrinterName, &m_strDriverName, &m_strPortName};
        if (m_printToArgument < 3) *targets[m_printToArgument++] = param;
        return;
    }
    if (m_strFileName.IsEmpty()) m_strFileName = param;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
}
