#include "platform/base/CStringTable.h"

#include <unordered_map>

namespace {

std::unordered_map<UINT, const char*>& Table() {
    static std::unordered_map<UINT, const char*> table;
    return table;
}

}  // namespace

void CStringTable::Register(std::span<const Entry> entries) {
    for (const Entry& entry : entries) {
        Table()[entry.id] = entry.text;
    }
}

const char* CStringTable::Find(UINT id) {
    auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second;
}

CString CStringTable::Text(UINT id) { return CString(Find(id)); }
