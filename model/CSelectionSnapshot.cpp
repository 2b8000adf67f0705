#include "model/CSelectionSnapshot.h"

#include "model/CToolHost.h"

namespace {

// Shorter selections are asked as a list.
constexpr std::size_t kLeastHeld = 32;

}  // namespace

CSelectionSnapshot::CSelectionSnapshot(CToolHost* host) {
    if (host == nullptr || Taken() != nullptr)
        return;
    const CPaintList& selection = host->GetSelection();
    if (selection.size() < kLeastHeld)
        return;
    m_host = host;
    m_list = &selection;
    m_size = selection.size();
    m_objects.reserve(m_size);
    m_objects.insert(selection.begin(), selection.end());
    m_answers = true;
    Taken() = this;
}

CSelectionSnapshot::~CSelectionSnapshot() {
    if (Taken() == this)
        Taken() = nullptr;
}

int CSelectionSnapshot::Holds(const CToolHost* host, const CPaint* object) {
    const CSelectionSnapshot* taken = Taken();
    // A list that changed its length changed behind the set's back.
    if (taken == nullptr || !taken->m_answers || taken->m_host != host ||
        taken->m_list->size() != taken->m_size)
        return -1;
    return taken->m_objects.count(object) != 0 ? 1 : 0;
}

void CSelectionSnapshot::Forget() {
    if (Taken() != nullptr)
        Taken()->m_answers = false;
}

CSelectionSnapshot*& CSelectionSnapshot::Taken() {
    static CSelectionSnapshot* taken = nullptr;
    return taken;
}
