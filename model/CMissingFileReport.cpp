#include "model/CMissingFileReport.h"

#include <map>
#include <set>

#include "platform/r3d/AssetLibrary.h"
#include "platform/win/MessageBoxes.h"

namespace {

struct ReportBatch {
    int depth = 0;
    std::set<CString> shownTexts;
    std::set<CString> shownFiles;
    std::set<CString> unsaidFiles;
};

// For each way of looking up, what each stored name was found as.
struct LookedUp {
    std::map<CMissingFileReport::DiskLookUp, std::map<CString, std::string>> found;
};

ReportBatch& Batch() {
    static ReportBatch batch;
    return batch;
}

unsigned& LastBatchNumber() {
    static unsigned number = 0;
    return number;
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

CMissingFileReport::CMissingFileReport() {
    if (Batch().depth++ != 0)
        return;
    ++LastBatchNumber();
    r3d::AssetLibrary::Instance().KeepLookUps(true);
}

unsigned CMissingFileReport::Current() {
    return Batch().depth > 0 ? LastBatchNumber() : 0;
}

CMissingFileReport::~CMissingFileReport() {
    ReportBatch& batch = Batch();
    if (--batch.depth != 0)
        return;
    // The batch is over before its last box: what that box's modal loop reads starts afresh.
    const std::size_t unsaid = batch.unsaidFiles.size();
    batch = ReportBatch();
    r3d::AssetLibrary::Instance().KeepLookUps(false);
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

std::string CMissingFileReport::LookUp(const CString& stored, DiskLookUp lookUp) {
    std::map<CString, std::string>& found = KeptByOperation<LookedUp>().found[lookUp];
    const auto known = found.find(stored);
    if (known != found.end())
        return known->second;
    return found.emplace(stored, lookUp(stored)).first->second;
}
