#include "model/CPatternFileOperation.h"

#include <set>

namespace {

struct ReportBatch {
    int depth = 0;
    std::set<CString> reported;
};

ReportBatch& Batch() {
    static ReportBatch batch;
    return batch;
}

}  // namespace

CPatternFileOperation::CPatternFileOperation() {
    ++Batch().depth;
}

CPatternFileOperation::~CPatternFileOperation() {
    ReportBatch& batch = Batch();
    if (--batch.depth == 0)
        batch.reported.clear();
}

bool CPatternFileOperation::FirstReportOf(const CString& fileName) {
    ReportBatch& batch = Batch();
    if (batch.depth == 0)
        return true;
    return batch.reported.insert(fileName).second;
}
