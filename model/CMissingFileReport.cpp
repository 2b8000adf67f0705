#include "model/CMissingFileReport.h"

#include <set>

#include "platform/win/MessageBoxes.h"

namespace {

struct ReportBatch {
    int depth = 0;
    std::set<CString> shownTexts;
    std::set<CString> shownFiles;
    std::set<CString> unsaidFiles;
};

ReportBatch& Batch() {
    static ReportBatch batch;
    return batch;
}

void ShowBox(const CString& text) {
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

CString UnsaidFilesText(std::size_t count) {
    if (count == 1)
        return "1 more file could not be read.";
    CString text;
    text.Format("%d more files could not be read.", static_cast<int>(count));
    return text;
}

}  // namespace

CMissingFileReport::CMissingFileReport() : m_operation(std::in_place) {
    ++Batch().depth;
}

CMissingFileReport::~CMissingFileReport() {
    ReportBatch& batch = Batch();
    if (--batch.depth != 0)
        return;
    // The batch is over before its last box: what that box's modal loop reads starts afresh.
    const std::size_t unsaid = batch.unsaidFiles.size();
    batch = ReportBatch();
    m_operation.reset();
    if (unsaid > 0)
        ShowBox(UnsaidFilesText(unsaid));
}

void CMissingFileReport::Show(const CString& text, const CString& fileName) {
    ReportBatch& batch = Batch();
    if (batch.depth == 0) {
        ShowBox(text);
        return;
    }
    if (batch.shownTexts.count(text) != 0)
        return;
    if (batch.shownTexts.size() >= static_cast<std::size_t>(kShownLimit)) {
        if (batch.shownFiles.count(fileName) == 0)
            batch.unsaidFiles.insert(fileName);
        return;
    }
    batch.shownTexts.insert(text);
    batch.shownFiles.insert(fileName);
    ShowBox(text);
}

void CMissingFileReport::ShowFile(const CString& whatWentWrong, const CString& shownName) {
    Show(whatWentWrong + " " + shownName, shownName);
}
