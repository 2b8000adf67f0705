#include "model/LayoutFile.h"

#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CFile.h"
#include "platform/win/CDocument.h"

CTool* EngineOfArchive(const CArchive& ar) {
    auto* host = dynamic_cast<CToolHost*>(ar.m_pDocument);
    return host != nullptr ? host->GetTool() : nullptr;
}

int FileVersionOf(const CTool* tool) {
    if (tool == nullptr || tool->m_pHost == nullptr)
        return kLayoutFileVersion;
    return tool->m_pHost->GetFileVersion();
}

void FailRead(const CArchive& ar, int cause) {
    throw CArchiveException(cause, ar.GetFile() != nullptr ? ar.GetFile()->GetFilePath() : CString());
}
