#include "model/CDataFileOperation.h"

#include <map>

#include "platform/base/CFolderListings.h"
#include "platform/r3d/AssetLibrary.h"

namespace {

struct Operations {
    int depth = 0;
    unsigned lastNumber = 0;
};

// For each way of looking up, what each stored name was found as.
struct LookedUp {
    std::map<CDataFileOperation::DiskLookUp, std::map<CString, std::string>> found;
};

Operations& Running() {
    static Operations operations;
    return operations;
}

}  // namespace

CDataFileOperation::CDataFileOperation() {
    Operations& running = Running();
    if (running.depth++ != 0)
        return;
    ++running.lastNumber;
    r3d::AssetLibrary::Instance().KeepLookUps(true);
    CFolderListings::Keep(true);
}

CDataFileOperation::~CDataFileOperation() {
    if (--Running().depth != 0)
        return;
    r3d::AssetLibrary::Instance().KeepLookUps(false);
    CFolderListings::Keep(false);
}

unsigned CDataFileOperation::Current() {
    const Operations& running = Running();
    return running.depth > 0 ? running.lastNumber : 0;
}

std::string CDataFileOperation::LookUp(const CString& stored, DiskLookUp lookUp) {
    std::map<CString, std::string>& found = KeptByOperation<LookedUp>().found[lookUp];
    const auto known = found.find(stored);
    if (known != found.end())
        return known->second;
    return found.emplace(stored, lookUp(stored)).first->second;
}
